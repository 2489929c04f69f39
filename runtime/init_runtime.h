// The runtime initialisation the application's main routine calls first.
#pragma once

namespace mnemora {

void InitRuntime();

// The runtime heap as a seam over the process heap kept in RuntimeApp.
void UseProcessHeap();

}  // namespace mnemora
