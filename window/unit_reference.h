// Turning a unit reference argument (window id in the low value word, unit
// id in the high word, the kind as type code) into the live unit.
#pragma once

#include <windows.h>

#include "runtime/arg_value.h"
#include "runtime/library_command.h"
#include "window/unit_object.h"

namespace mnemora {

// A unit id whose four highest bits are zero (the window's own id, or 0)
// names the window itself.
bool NamesWindowItself(uint32_t unitId);

// Whether the window is in the window set and has a record for the unit (for
// the window itself, its own record): a unit whose native window is gone,
// or whose window is not loaded, still exists.
bool UnitRecordExists(const ArgValue& reference);

// The runtime's unit-resolution error, "指定窗口或窗口组件不存在或尚未载入",
// with the window and unit ids as its position.
[[noreturn]] void ReportMissingUnit(uint32_t windowId, uint32_t unitId);

// The live object of the referenced unit or window, or null when the window
// is not loaded or the unit has no live object. The window set belongs to
// the UI thread: on any other thread every reference resolves to null.
UnitObject* ResolveUnitReference(const ArgValue& reference);

// Its native window, or null.
HWND ResolveUnitWindow(const ArgValue& reference);

// A unit command called from any thread runs whole on the UI thread, so the
// reference it resolves stays valid through its work. Once the windows are
// gone it runs on the caller's thread, where it finds no unit and gives its
// "no unit" result.
void RunUnitCommand(LibraryCommand body, ArgValue* result, int32_t count, ArgValue* args);

}  // namespace mnemora
