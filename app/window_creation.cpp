#include "app/window_creation.h"

#include "app/command_calls.h"
#include "app/instruction_set.h"
#include "app/instruction_table.h"
#include "app/main_window_units.h"
#include "app/start_guards.h"
#include "window/window_commands.h"

namespace mnemora::app {
namespace {

// The whole instruction text, which Ctrl+C looks copied words up in.
std::string CurrentInstructionText() {
  return CurrentInstructionTable()->Text();
}

}  // namespace

// When the window has been asked to close because another copy runs, the
// remaining steps still run; the close comes when the posted request does.
HandlerOutcome OnWindowCreated(int32_t, const HandlerArg*) {
  RefuseSecondCopy();
  LoadInstructionSet();
  AttachSkinIfPresent();
  CallCore(FocusUnit, {UnitRef(kQueryBox)});
  InstallMainWindowKeyMonitor(CurrentInstructionText);
  return {};
}

}  // namespace mnemora::app
