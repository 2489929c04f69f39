// Callbacks that windows of support libraries ask to have run whenever the
// message loop goes idle.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/runtime_app.h"

namespace mnemora {

// Ignored when the window is null, not a window or already listed, or the
// callback is null.
void AddIdleCallback(HWND window, IdleCallback callback, intptr_t parameter);
void RemoveIdleCallback(HWND window);
// Walks the lists from the last entry to the first, calling the callbacks of
// live windows and dropping the entries of destroyed ones.
void RunIdleCallbacks();

}  // namespace mnemora
