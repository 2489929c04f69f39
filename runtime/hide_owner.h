// The hidden owner window: owns the program's windows and receives the end
// request from other threads.
#pragma once

#include <windows.h>

namespace mnemora {

// Registers "_QN_HideOwner" when needed and creates the window.
HWND CreateHideOwnerWindow();

}  // namespace mnemora
