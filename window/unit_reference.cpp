#include "window/unit_reference.h"

#include "runtime/runtime_error.h"
#include "runtime/ui_thread_channel.h"
#include "window/window_set.h"

namespace mnemora {

bool NamesWindowItself(uint32_t unitId) {
  return (unitId & 0xF0000000u) == 0;
}

bool UnitRecordExists(const ArgValue& reference) {
  // Off the UI thread the windows are gone (a late operation is dropped,
  // not reported), and the window set is not this thread's to read.
  if (!OnUiThread()) {
    return true;
  }
  const LiveWindow* window = FindLiveWindow(reference.low);
  if (window == nullptr) {
    return false;
  }
  const UnitTable& table = window->description.table;
  return NamesWindowItself(reference.high) ? table.Count() > 0 : table.IndexOf(reference.high) > 0;
}

void ReportMissingUnit(uint32_t windowId, uint32_t unitId) {
  RaiseRuntimeError("指定窗口或窗口组件不存在或尚未载入", 0, static_cast<int32_t>(windowId),
                    static_cast<int32_t>(unitId));
}

UnitObject* ResolveUnitReference(const ArgValue& reference) {
  if (!OnUiThread()) {
    return nullptr;
  }
  const LiveWindow* window = FindLiveWindow(reference.low);
  if (window == nullptr || !IsWindowLoaded(*window)) {
    return nullptr;
  }
  const uint32_t unitId = reference.high;
  const int index = NamesWindowItself(unitId) ? 0 : window->description.table.IndexOf(unitId);
  if (index < 0 || static_cast<size_t>(index) >= window->live.size()) {
    return nullptr;
  }
  return window->live[static_cast<size_t>(index)].object.get();
}

HWND ResolveUnitWindow(const ArgValue& reference) {
  const UnitObject* unit = ResolveUnitReference(reference);
  return unit != nullptr && IsWindow(unit->Handle()) ? unit->Handle() : nullptr;
}

void RunUnitCommand(LibraryCommand body, ArgValue* result, int32_t count, ArgValue* args) {
  if (!RunOnUiThread([&] { body(result, count, args); })) {
    body(result, count, args);
  }
}

}  // namespace mnemora
