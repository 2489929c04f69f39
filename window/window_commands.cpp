#include "window/window_commands.h"

#include <windows.h>

#include "runtime/main_thread_call.h"
#include "window/unit_reference.h"
#include "window/units/window_kind.h"

namespace mnemora {

void GetWindowHandle(ArgValue* result, int32_t count, ArgValue* args) {
  HWND handle = count >= 1 ? ResolveUnitWindow(args[0]) : nullptr;
  // Handles fit in 32 bits on every build; the caller sign-extends them back.
  *result = ArgValue::Integer(static_cast<int32_t>(reinterpret_cast<intptr_t>(handle)));
}

void FocusUnit(ArgValue*, int32_t count, ArgValue* args) {
  if (count < 1) {
    return;
  }
  HWND handle = ResolveUnitWindow(args[0]);
  if (handle != nullptr) {
    // Focus belongs to the thread that owns the window.
    RunOnMainThread([handle] { SetFocus(handle); });
  }
}

void DestroyUnit(ArgValue*, int32_t count, ArgValue* args) {
  if (count < 1) {
    return;
  }
  const bool immediately = count >= 2 && args[1].type != 0 && args[1].low != 0;
  UnitObject* unit = ResolveUnitReference(args[0]);
  if (unit == nullptr || !IsWindow(unit->Handle())) {
    return;
  }
  HWND handle = unit->Handle();
  if (!NamesWindowItself(args[0].high)) {
    RunOnMainThread([handle] { DestroyWindow(handle); });
    return;
  }
  MarkClosedByProgram(unit);
  if (immediately) {
    RunOnMainThread([unit] { DestroyWindowUnitNow(unit); });
  } else {
    PostMessageA(handle, kProgramCloseMessage, 0, 0);
  }
}

}  // namespace mnemora
