#include "app/window_creation.h"

#include <string>

#include "app/command_calls.h"
#include "app/instruction_set.h"
#include "app/instruction_table.h"
#include "app/main_window_units.h"
#include "app/start_guards.h"
#include "window/window_commands.h"

namespace mnemora::app {
namespace {

// The whole instruction text the current table was built from: what Ctrl+C
// looks a copied word up in.
std::string LookUpText() {
  return CurrentInstructionTable()->Text();
}

}  // namespace

HandlerOutcome OnWindowCreated(int32_t, const HandlerArg*) {
  RefuseSecondCopy();
  LoadInstructionSet();
  AttachSkinIfPresent();
  CallCore(FocusUnit, {UnitRef(kQueryBox)});
  InstallMainWindowKeyMonitor(LookUpText);
  return {};
}

}  // namespace mnemora::app
