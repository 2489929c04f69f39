// The routines run at the orderly end of the program.
#pragma once

#include "runtime/runtime_app.h"

namespace mnemora {

// Appends the routine unless the same address is already listed.
void RegisterExitRoutine(ExitRoutine routine);

}  // namespace mnemora
