// The hidden owner window: owns the program's windows, receives the end
// request from other threads and wakes the UI thread to run its queue.
#pragma once

#include <windows.h>

namespace mnemora {

// Registers "_QN_HideOwner" when needed and creates the window.
HWND CreateHideOwnerWindow();

}  // namespace mnemora
