// Raising a unit's event from its kind, through the runtime service.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace mnemora {

struct EventOutcome {
  bool handled = false;   // a handler was found and called
  bool returned = false;  // it returned a value
  int32_t value = 0;
};

// unitId 0 names the window itself. At most five arguments.
EventOutcome RaiseUnitEvent(uint32_t windowId, uint32_t unitId, int32_t event,
                            std::initializer_list<int32_t> args = {});

// Slots of the event record handed to the runtime service.
struct EventRecord {
  uint32_t windowId;
  uint32_t unitId;
  int32_t event;
  int32_t argumentCount;
  int32_t arguments[5];
  int32_t returned;
  int32_t value;
};
static_assert(sizeof(EventRecord) == 11 * 4, "eleven dwords");

}  // namespace mnemora
