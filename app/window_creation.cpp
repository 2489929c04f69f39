#include "app/window_creation.h"

#include "app/command_calls.h"
#include "app/instruction_set.h"
#include "app/main_window_units.h"
#include "window/window_commands.h"

namespace mnemora::app {

HandlerOutcome OnWindowCreated(int32_t, const HandlerArg*) {
  LoadInstructionSet();
  CallCore(FocusUnit, {UnitRef(kQueryBox)});
  return {};
}

}  // namespace mnemora::app
