// Raising events: finding the handler bound to a unit and event, calling it
// with the event's arguments, and handing back what it returned.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "runtime/arg_value.h"
#include "runtime/event_handler.h"
#include "window/unit_events.h"

namespace mnemora {

// The record of service 2031: arguments as HandlerArgs.
struct TypedEventRecord {
  uint32_t windowId;
  uint32_t unitId;
  int32_t event;
  int32_t argumentCount;  // 0 to 12
  HandlerArg arguments[12];
  int32_t returned;
  uint32_t valueLow;
  uint32_t valueHigh;
};

// Service 2008: 1 when a handler was found and called.
int32_t RaiseEventRecord(EventRecord* record);
// Service 2031.
int32_t RaiseTypedEventRecord(TypedEventRecord* record);

// For the window system itself: integer arguments; the outcome of the
// handler (nothing returned when none was called).
HandlerOutcome RaiseEventWithArguments(uint32_t windowId, uint32_t unitId, int32_t event,
                                       std::initializer_list<int32_t> args);

}  // namespace mnemora
