#include "window/unit_reference.h"

#include "runtime/ui_thread_channel.h"
#include "window/window_set.h"

namespace mnemora {

bool NamesWindowItself(uint32_t unitId) {
  return (unitId & 0xF0000000u) == 0;
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
