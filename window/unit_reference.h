// Turning a unit reference argument (window id in the low value word, unit
// id in the high word, the kind as type code) into the live unit.
#pragma once

#include <windows.h>

#include "runtime/arg_value.h"
#include "window/unit_object.h"

namespace mnemora {

// A unit id whose four highest bits are zero (the window's own id, or 0)
// names the window itself.
bool NamesWindowItself(uint32_t unitId);

// The live object of the referenced unit or window, or null when the window
// is not loaded or the unit has no live object.
UnitObject* ResolveUnitReference(const ArgValue& reference);

// Its native window, or null.
HWND ResolveUnitWindow(const ArgValue& reference);

}  // namespace mnemora
