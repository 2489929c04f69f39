#include "window/window_services.h"

#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"
#include "runtime/runtime_service.h"
#include "window/event_dispatch.h"
#include "window/unit_reference.h"
#include "window/window_set.h"

namespace mnemora {
namespace {

uint32_t Word(intptr_t parameter) {
  return static_cast<uint32_t>(parameter);
}

// A unit's object was destroyed: its pointer and slots are cleared; for the
// window itself the records go back to what they were when the load began.
void ObjectDestroyed(uint32_t windowId, uint32_t unitId) {
  WindowSetState& set = TheWindowSet();
  LiveWindow* window = FindLiveWindow(windowId);
  if (set.recreating || window == nullptr) {
    return;
  }
  const int index = FindRecordIndex(*window, unitId);
  if (index < 0) {
    return;
  }
  if (index == 0) {
    RestoreSnapshot(*window);
    return;
  }
  RecordLive& live = window->live[static_cast<size_t>(index)];
  if (live.ownsCursor && live.cursor != nullptr) {
    DestroyCursor(live.cursor);
  }
  live.cursor = nullptr;
  live.ownsCursor = false;
  live.object.reset();
}

UnitObject* LiveObject(uint32_t windowId, uint32_t unitId) {
  LiveWindow* window = FindLiveWindow(windowId);
  if (window == nullptr) {
    return nullptr;
  }
  const int index = FindRecordIndex(*window, unitId);
  if (index < 0) {
    return nullptr;
  }
  UnitObject* object = window->live[static_cast<size_t>(index)].object.get();
  return object != nullptr && IsWindow(object->Handle()) ? object : nullptr;
}

}  // namespace

intptr_t WindowSystemService(int32_t code, intptr_t parameter1, intptr_t parameter2,
                             bool* handled) {
  namespace ws = window_service;
  *handled = true;
  WindowSetState& set = TheWindowSet();
  switch (code) {
    case runtime_service::kCallEventHandler:
      return RaiseEventRecord(reinterpret_cast<EventRecord*>(parameter1));
    case runtime_service::kCallTypedEventHandler:
      return RaiseTypedEventRecord(reinterpret_cast<TypedEventRecord*>(parameter1));
    case ws::kWindowSet:
      return reinterpret_cast<intptr_t>(&set);
    case ws::kKindDescriptor:
      return reinterpret_cast<intptr_t>(ResolveUnitKind(Word(parameter1)));
    case ws::kObjectDestroyed:
      ObjectDestroyed(Word(parameter1), Word(parameter2));
      return 0;
    case ws::kLiveObject:
      return reinterpret_cast<intptr_t>(LiveObject(Word(parameter1), Word(parameter2)));
    case ws::kLiveObjectOrError: {
      UnitObject* object = LiveObject(Word(parameter1), Word(parameter2));
      if (object == nullptr) {
        ReportMissingUnit(Word(parameter1), Word(parameter2));
      }
      return reinterpret_cast<intptr_t>(object);
    }
    case ws::kEventSource: {
      if (!set.hasEventSource) {
        return 0;
      }
      auto* words = reinterpret_cast<uint32_t*>(parameter1);
      words[0] = set.eventSourceWindow;
      words[1] = set.eventSourceUnit;
      return 1;
    }
    case ws::kUnitKind: {
      LiveWindow* window = FindLiveWindow(Word(parameter1));
      const int index = window != nullptr ? FindRecordIndex(*window, Word(parameter2)) : -1;
      return index < 0 ? 0
                       : static_cast<intptr_t>(ReadRecordDword(
                             window->description.table.records[static_cast<size_t>(index)], 0));
    }
    case ws::kWindowCount:
      return static_cast<intptr_t>(set.windows.size());
    case ws::kWindowHandle: {
      const auto index = static_cast<size_t>(parameter1);
      return index < set.windows.size() && IsWindowLoaded(*set.windows[index])
                 ? reinterpret_cast<intptr_t>(NativeWindowOf(*set.windows[index]))
                 : 0;
    }
    default:
      *handled = false;
      return 0;
  }
}

}  // namespace mnemora
