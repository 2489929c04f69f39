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

// The events every unit has, under the same numbers in every kind; a
// kind's own events count up from 0.
namespace common_event {
inline constexpr int32_t kLeftButtonDown = -1;
inline constexpr int32_t kLeftButtonUp = -2;
inline constexpr int32_t kLeftDoubleClick = -3;
inline constexpr int32_t kRightButtonDown = -4;
inline constexpr int32_t kRightButtonUp = -5;
inline constexpr int32_t kMouseMove = -6;
inline constexpr int32_t kGotFocus = -7;
inline constexpr int32_t kLostFocus = -8;
inline constexpr int32_t kKeyDown = -9;
inline constexpr int32_t kKeyUp = -10;
inline constexpr int32_t kCharacter = -11;
inline constexpr int32_t kMouseWheel = -12;
}  // namespace common_event

// unitId 0 names the window itself. At most five arguments.
EventOutcome RaiseUnitEvent(uint32_t windowId, uint32_t unitId, int32_t event,
                            std::initializer_list<int32_t> args = {});

// Got focus when the unit gained it, lost focus when it lost it.
void RaiseFocusEvent(uint32_t windowId, uint32_t unitId, bool gained);

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
