#include "window/unit_reference.h"

#include "runtime/runtime_error.h"
#include "window/window_set.h"

namespace mnemora {

bool NamesWindowItself(uint32_t unitId) {
  return (unitId & 0xF0000000u) == 0;
}

bool UnitRecordExists(const ArgValue& reference) {
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

}  // namespace mnemora
