// The run-time error report: one message box, then the end of the program.
#include <windows.h>

#include <string>

#include "runtime/end_program.h"
#include "runtime/error_report_text.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"
#include "runtime/window_system_hooks.h"

namespace mnemora {

void RaiseRuntimeError(const char* message, int32_t code, int32_t positionA, int32_t positionB) {
  RuntimeApp& app = TheRuntimeApp();
  ++app.eventSuppression;
  const std::string text =
      BuildErrorReportText(message, code, positionA, positionB, CurrentWindowSystem().lookup);
  MessageBoxA(nullptr, text.c_str(), "错误", MB_ICONHAND | MB_OK);
  app.exitRoutines.clear();
  EndProgram(-1);
  // Only a thread other than the main one gets here, while the main thread
  // is already shutting down: this thread must not go on with its work.
  ExitThread(static_cast<DWORD>(-1));
}

}  // namespace mnemora
