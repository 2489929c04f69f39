// The transparent label unit kind of the extended-UI library: a caption
// without a background of its own, over whatever lies beneath it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/unit_type_descriptor.h"

namespace mnemora {

extern const UnitTypeDescriptor kTransparentLabelKindDescriptor;

// Repaints what lies beneath a transparent window and then the window
// itself, so that no earlier drawing of it stays visible: every visible
// window of its top-level window that overlaps it is redrawn there, back
// to front.
void RepaintBeneath(HWND window);

}  // namespace mnemora
