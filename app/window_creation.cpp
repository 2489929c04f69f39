#include "app/window_creation.h"

#include "app/command_calls.h"
#include "app/default_instruction_text.h"
#include "app/main_window_form.h"
#include "app/program_header.h"
#include "app/start_guards.h"
#include "window/window_commands.h"

namespace mnemora::app {
namespace {

constexpr TypeCode kEditBoxKind = 0x00010005;

std::string LookUpText() {
  return std::string(DefaultInstructionText());
}

}  // namespace

HandlerOutcome OnWindowCreated(int32_t, const HandlerArg*) {
  RefuseSecondCopy();
  AttachSkinIfPresent();
  CallCore(FocusUnit, {ArgValue{kMainWindowId, unit::kQueryBox, kEditBoxKind}});
  InstallMainWindowKeyMonitor(LookUpText);
  return {};
}

}  // namespace mnemora::app
