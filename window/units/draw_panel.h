// The drawing panel unit kind: a plain child window of class _QN_DrawPanel
// that paints a background colour and an optional background picture, and
// raises its event 0 after each paint so the program can draw on it.
#pragma once

#include "runtime/unit_type_descriptor.h"

namespace mnemora {

extern const UnitTypeDescriptor kDrawPanelKindDescriptor;

}  // namespace mnemora
