#include "app/work_pacing.h"

#include "app/command_calls.h"
#include "commands/file_system_commands.h"

namespace mnemora::app {

bool ProcessEventsCheckpoint() {
  CallCore(ProcessEvents, {});
  return true;
}

}  // namespace mnemora::app
