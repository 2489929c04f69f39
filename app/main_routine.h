// The application's main routine: everything from runtime initialisation to
// the end of the message loop.
#pragma once

namespace mnemora::app {

// Returns 0, always.
int ApplicationMain();

}  // namespace mnemora::app
