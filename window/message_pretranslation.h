// The window system's look at every message before it is dispatched:
// message filters, focus keys (Tab, Enter, Esc, Alt mnemonics) and the
// common input events of units and windows.
#pragma once

#include <windows.h>

#include <cstdint>

namespace mnemora {

// True when the message was consumed.
bool PreTranslateWindowMessage(MSG* message);

// The key code and key state an input event reports.
int32_t NormalizedKeyCode(WPARAM virtualKey);
int32_t CurrentKeyState(WPARAM virtualKey);

}  // namespace mnemora
