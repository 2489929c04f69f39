// The process entry: hands the program to the runtime.
#include <windows.h>

#include "app/main_routine.h"
#include "app/program_header.h"
#include "runtime/runtime_app.h"
#include "window/start_window.h"

namespace {

constexpr mnemora::StartWindowDescription kWindows[] = {
    {mnemora::app::kMainWindowId, "窗口1", "Mnemora"},
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  mnemora::InstallWindowSystem(mnemora::StartWindowSystem(kWindows, 1));
  return mnemora::RunProgram(mnemora::app::MnemoraProgramHeader(), mnemora::app::ApplicationMain);
}
