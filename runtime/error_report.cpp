// The run-time error report: one message box, then the end of the program.
#include <windows.h>

#include <string>

#include "runtime/end_program.h"
#include "runtime/error_report_text.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"
#include "runtime/ui_thread_channel.h"
#include "runtime/window_system_hooks.h"

namespace mnemora {
namespace {

// The names in the position text come from the window set, which only the
// UI thread reads; once the windows are gone a report on another thread
// names none.
std::string ReportText(const char* message, int32_t code, int32_t positionA, int32_t positionB) {
  std::string text;
  const bool built = RunOnUiThread([&] {
    text = BuildErrorReportText(message, code, positionA, positionB, CurrentWindowSystem().lookup);
  });
  if (!built) {
    constexpr WindowLookup kNoWindows{
        [](uint32_t) -> const char* { return nullptr; },
        [](uint32_t, uint32_t, uint32_t*, const char**) { return false; }};
    text = BuildErrorReportText(message, code, positionA, positionB, kNoWindows);
  }
  return text;
}

// A report that came second never shows: the first one ends the program.
[[noreturn]] void WaitForTheFirstReport() {
  if (!OnUiThread()) {
    ExitThread(static_cast<DWORD>(-1));
  }
  // The first report's thread hands the end to this thread through the
  // hidden owner; until then messages are pumped with every event held back.
  for (;;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&message);
    }
  }
}

}  // namespace

void RaiseRuntimeError(const char* message, int32_t code, int32_t positionA, int32_t positionB) {
  RuntimeApp& app = TheRuntimeApp();
  ++app.eventSuppression;
  if (app.reportStarted.exchange(true)) {
    WaitForTheFirstReport();
  }
  const std::string text = ReportText(message, code, positionA, positionB);
  MessageBoxA(nullptr, text.c_str(), "错误", MB_ICONHAND | MB_OK);
  app.exitRoutinesDropped = true;
  EndProgram(-1);
  // Only a thread other than the main one gets here, while the main thread
  // is already shutting down: this thread must not go on with its work.
  ExitThread(static_cast<DWORD>(-1));
}

}  // namespace mnemora
