#include "window/window_commands.h"

#include <windows.h>

#include "runtime/forged_end.h"
#include "window/unit_reference.h"
#include "window/units/window_kind.h"
#include "window/window_set.h"

namespace mnemora {
namespace {

void GetWindowHandleHere(ArgValue* result, int32_t count, ArgValue* args) {
  HWND handle = count >= 1 ? ResolveUnitWindow(args[0]) : nullptr;
  // Handles fit in 32 bits on every build; the caller sign-extends them back.
  *result = ArgValue::Integer(static_cast<int32_t>(reinterpret_cast<intptr_t>(handle)));
}

void FocusUnitHere(ArgValue*, int32_t count, ArgValue* args) {
  if (count < 1) {
    return;
  }
  if (!UnitRecordExists(args[0])) {
    ReportMissingUnit(args[0].low, args[0].high);
  }
  HWND handle = ResolveUnitWindow(args[0]);
  if (handle != nullptr) {
    SetFocus(handle);
  }
}

void DestroyUnitHere(ArgValue*, int32_t count, ArgValue* args) {
  if (count < 1) {
    return;
  }
  const bool immediately = count >= 2 && args[1].type != 0 && args[1].low != 0;
  if (!UnitRecordExists(args[0])) {
    ReportMissingUnit(args[0].low, args[0].high);
  }
  UnitObject* unit = ResolveUnitReference(args[0]);
  if (unit == nullptr || !IsWindow(unit->Handle())) {
    return;
  }
  HWND handle = unit->Handle();
  if (!NamesWindowItself(args[0].high)) {
    // A unit without child windows also leaves its window's records.
    const bool hadChildren = GetWindow(handle, GW_CHILD) != nullptr;
    EndWindow(handle);
    LiveWindow* window = FindLiveWindow(args[0].low);
    if (!hadChildren && window != nullptr) {
      RemoveUnitRecord(*window, args[0].high);
    }
    return;
  }
  MarkClosedByProgram(unit);
  if (immediately) {
    DestroyWindowUnitNow(unit);
  } else {
    PostMessageA(handle, kProgramCloseMessage, 0, 0);
  }
}

}  // namespace

void GetWindowHandle(ArgValue* result, int32_t count, ArgValue* args) {
  RunUnitCommand(GetWindowHandleHere, result, count, args);
}

void FocusUnit(ArgValue* result, int32_t count, ArgValue* args) {
  RunUnitCommand(FocusUnitHere, result, count, args);
}

void DestroyUnit(ArgValue* result, int32_t count, ArgValue* args) {
  RunUnitCommand(DestroyUnitHere, result, count, args);
}

}  // namespace mnemora
