// The hidden owner window: owns the program's windows and receives the end
// request from other threads.
#pragma once

#include <windows.h>

namespace mnemora {

// wParam: a function taking one pointer; lParam: its argument.
inline constexpr UINT kRunOnMainThreadMessage = 0x83E8;

// Registers "_QN_HideOwner" when needed and creates the window.
HWND CreateHideOwnerWindow();

}  // namespace mnemora
