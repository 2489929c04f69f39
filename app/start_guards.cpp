#include "app/start_guards.h"

#include <windows.h>

#include "app/command_calls.h"
#include "app/embedded_skin.h"
#include "app/key_monitor.h"
#include "app/main_window_form.h"
#include "app/main_window_units.h"
#include "app/program_header.h"
#include "app/single_instance.h"
#include "app/skin.h"
#include "commands/file_system_commands.h"
#include "runtime/arg_value.h"
#include "window/window_commands.h"

namespace mnemora::app {

void ResolveSkinAtEntry() {
  ResolveSkinPath("");
}

bool RefuseSecondCopy() {
  return CheckSingleInstance(kMainWindowId);
}

void AttachSkinIfPresent() {
  const OwnedText runDirectory(CallCore(GetRunDirectory, {}));
  ResolveSkinPath(std::string(runDirectory.View()) + "\\" + kSkinLibraryName);
  AttachSkin(EmbeddedSkin(), "", 0, 0, 0);
}

void InstallMainWindowKeyMonitor(std::string (*instructionText)()) {
  const ArgValue window = WindowRef();
  // The handle comes back as 32 bits; handles are sign-extended on 64-bit.
  const auto handle = static_cast<intptr_t>(CallCore(GetWindowHandle, {window}).AsInt32());
  InstallKeyMonitor(
      reinterpret_cast<HWND>(handle),
      KeyMonitorTargets{kMainWindowId, unit::kKeyMonitorBox, unit::kQueryBox, instructionText});
}

void FreeStartGuards() {
  FreeSkinPath();
  FreeTitleMatches();
}

}  // namespace mnemora::app
