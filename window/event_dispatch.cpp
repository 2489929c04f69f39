#include "window/event_dispatch.h"

#include <algorithm>
#include <vector>

#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"
#include "window/form_description.h"
#include "window/window_set.h"

namespace mnemora {
namespace {

// Event-raising units must be of a kind that may raise events.
constexpr uint32_t kMayRaiseEvents = 0x44;
// Menu items keep their handler right after their caption.
constexpr uint32_t kMenuItemKind = 0x00010003;

[[noreturn]] void ReportEventFailure(const char* message, uint32_t windowId, uint32_t unitId) {
  RaiseRuntimeError(message, 0, static_cast<int32_t>(windowId), static_cast<int32_t>(unitId));
}

int32_t MenuItemHandler(const Bytes& record) {
  // kind, event source, four reserved dwords, name, second name, then
  // shortcut, a dword, flags, caption and the handler.
  size_t at = 24;
  for (int text = 0; text < 2; ++text) {
    while (at < record.size() && record[at] != 0) {
      ++at;
    }
    ++at;
  }
  at += 12;
  while (at < record.size() && record[at] != 0) {
    ++at;
  }
  ++at;
  return at + 4 <= record.size() ? static_cast<int32_t>(ReadRecordDword(record, at)) : -1;
}

// Follows the event-source chain while each next unit exists and has the
// same kind; a cycle ends where it closes.
size_t FollowEventSource(const UnitTable& table, size_t index) {
  const uint32_t kind = ReadRecordDword(table.records[index], 0);
  for (size_t steps = 0; steps < table.Count(); ++steps) {
    const uint32_t source = ReadRecordDword(table.records[index], 4);
    if (source == 0) {
      break;
    }
    const int next = table.IndexOf(source);
    if (next < 0 || ReadRecordDword(table.records[static_cast<size_t>(next)], 0) != kind) {
      break;
    }
    index = static_cast<size_t>(next);
  }
  return index;
}

// The handler bound to the event, or null; raises the report when the
// window, unit or kind is not fit to raise events.
EventHandler FindBoundHandler(uint32_t windowId, uint32_t unitId, int32_t event,
                              uint32_t* sourceUnitId) {
  LiveWindow* window = FindLiveWindow(windowId);
  if (window == nullptr) {
    ReportEventFailure("未找到引发事件的窗口", windowId, unitId);
  }
  const UnitTable& table = window->description.table;
  const int found = FindRecordIndex(*window, unitId);
  if (found < 0) {
    ReportEventFailure("未找到引发事件的窗口组件", windowId, unitId);
  }
  *sourceUnitId = table.ids[static_cast<size_t>(found)];
  const Bytes& own = table.records[static_cast<size_t>(found)];
  if (ReadRecordDword(own, 0) == kMenuItemKind) {
    return ResolveHandler(MenuItemHandler(own));
  }
  const size_t index = FollowEventSource(table, static_cast<size_t>(found));
  const Bytes& record = table.records[index];
  const UnitTypeDescriptor* descriptor = ResolveUnitKind(ReadRecordDword(record, 0));
  if (descriptor == nullptr || (descriptor->stateFlags & kMayRaiseEvents) == 0) {
    ReportEventFailure("引发事件的窗口组件无效", windowId, unitId);
  }
  for (const EventBinding& binding : window->units[index].events) {
    if (binding.event == event) {
      return ResolveHandler(binding.handler);
    }
  }
  return nullptr;
}

// Calls the handler with the event source set for its duration.
bool CallBoundHandler(uint32_t windowId, uint32_t unitId, int32_t event, int32_t count,
                      const HandlerArg* args, HandlerOutcome* outcome) {
  if (TheRuntimeApp().eventSuppression > 0) {
    return false;
  }
  uint32_t sourceUnitId = 0;
  EventHandler handler = FindBoundHandler(windowId, unitId, event, &sourceUnitId);
  if (handler == nullptr) {
    return false;
  }
  WindowSetState& set = TheWindowSet();
  set.hasEventSource = true;
  set.eventSourceWindow = windowId;
  set.eventSourceUnit = sourceUnitId;
  *outcome = handler(count, args);
  set.hasEventSource = false;
  set.eventSourceWindow = 0;
  set.eventSourceUnit = 0;
  return true;
}

}  // namespace

int32_t RaiseEventRecord(EventRecord* record) {
  HandlerArg args[5] = {};
  const int32_t count = record->argumentCount < 0 ? 0 : std::min(record->argumentCount, 5);
  for (int32_t i = 0; i < count; ++i) {
    args[i] = HandlerArg{ArgValue::Integer(record->arguments[i]), 0};
  }
  HandlerOutcome outcome;
  if (!CallBoundHandler(record->windowId, record->unitId, record->event, count, args, &outcome)) {
    return 0;
  }
  if (outcome.returned) {
    record->returned = 1;
    record->value = static_cast<int32_t>(outcome.value);
  }
  return 1;
}

int32_t RaiseTypedEventRecord(TypedEventRecord* record) {
  const int32_t count = record->argumentCount < 0 ? 0 : std::min(record->argumentCount, 12);
  HandlerOutcome outcome;
  if (!CallBoundHandler(record->windowId, record->unitId, record->event, count, record->arguments,
                        &outcome)) {
    return 0;
  }
  if (outcome.returned) {
    record->returned = 1;
    record->valueLow = static_cast<uint32_t>(outcome.value);
    record->valueHigh = static_cast<uint32_t>(outcome.value >> 32);
  }
  return 1;
}

HandlerOutcome RaiseEventWithArguments(uint32_t windowId, uint32_t unitId, int32_t event,
                                       std::initializer_list<int32_t> args) {
  std::vector<HandlerArg> handlerArgs;
  for (int32_t argument : args) {
    handlerArgs.push_back(HandlerArg{ArgValue::Integer(argument), 0});
  }
  HandlerOutcome outcome;
  CallBoundHandler(windowId, unitId, event, static_cast<int32_t>(handlerArgs.size()),
                   handlerArgs.data(), &outcome);
  return outcome;
}

}  // namespace mnemora
