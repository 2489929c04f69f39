#include <windows.h>

#include "app/main_routine.h"
#include "app/program_header.h"
#include "runtime/runtime_app.h"
#include "window/window_set.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  mnemora::InstallFormWindowSystem();
  return mnemora::RunProgram(mnemora::app::MnemoraProgramHeader(), mnemora::app::ApplicationMain);
}
