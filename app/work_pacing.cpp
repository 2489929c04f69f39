#include "app/work_pacing.h"

#include <windows.h>

#include "app/command_calls.h"
#include "commands/file_system_commands.h"

namespace mnemora::app {

bool ProcessEventsCheckpoint() {
  thread_local ULONGLONG last = 0;
  const ULONGLONG now = GetTickCount64();
  if (now - last >= static_cast<ULONGLONG>(kProcessEventsIntervalMs)) {
    last = now;
    CallCore(ProcessEvents, {});
  }
  return true;
}

}  // namespace mnemora::app
