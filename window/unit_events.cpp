#include "window/unit_events.h"

#include "runtime/runtime_service.h"

namespace mnemora {

EventOutcome RaiseUnitEvent(uint32_t windowId, uint32_t unitId, int32_t event,
                            std::initializer_list<int32_t> args) {
  EventRecord record{windowId, unitId, event, 0, {}, 0, 0};
  for (int32_t argument : args) {
    if (record.argumentCount < 5) {
      record.arguments[record.argumentCount++] = argument;
    }
  }
  EventOutcome outcome;
  outcome.handled = RuntimeService(runtime_service::kCallEventHandler,
                                   reinterpret_cast<intptr_t>(&record), 0) != 0;
  outcome.returned = record.returned != 0;
  outcome.value = record.value;
  return outcome;
}

void RaiseFocusEvent(uint32_t windowId, uint32_t unitId, bool gained) {
  RaiseUnitEvent(windowId, unitId, gained ? common_event::kGotFocus : common_event::kLostFocus);
}

}  // namespace mnemora
