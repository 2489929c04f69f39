// The properties every unit has: 0 left, 1 top, 2 width, 3 height, 4 tag,
// 5 visible, 6 disabled, 7 mouse pointer. A menu item's record answers its
// own four instead: 0 caption, 1 checked, 2 disabled, 3 visible.
#pragma once

#include <cstddef>
#include <cstdint>

#include "window/window_set.h"

namespace mnemora {

uint64_t ReadCommonProperty(LiveWindow& window, size_t index, int32_t property);
void WriteCommonProperty(LiveWindow& window, size_t index, int32_t property, uint32_t valueLow,
                         uint32_t valueHigh);

// The unit's live native window, or null.
HWND LiveHandle(const LiveWindow& window, size_t index);

// The unit's rectangle relative to its parent's client area (screen
// coordinates for a top-level window).
RECT UnitRectangle(HWND handle);

}  // namespace mnemora
