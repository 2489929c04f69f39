#include "app/handler_table.h"

#include <array>

#include "app/handler_routines.h"
#include "app/key_monitor.h"
#include "app/window_creation.h"

namespace mnemora::app {
namespace {

constexpr std::array<EventHandler, kHandlerRoutineCount> MakeRoutines() {
  std::array<EventHandler, kHandlerRoutineCount> routines{};
  routines[kWindowCreated] = OnWindowCreated;
  routines[kKeyMonitorChanged] = OnKeyMonitorChanged;
  return routines;
}

constexpr std::array<EventHandler, kHandlerRoutineCount> kRoutines = MakeRoutines();

}  // namespace

const HandlerTable& MainWindowHandlers() {
  static const HandlerTable table{kHandlerRoutineCount, kRoutines.data()};
  return table;
}

}  // namespace mnemora::app
