#include "app/main_routine.h"

#include <float.h>

#include "app/program_header.h"
#include "app/start_guards.h"
#include "runtime/entry_table.h"

namespace mnemora::app {

int ApplicationMain() {
  const EntryTable& runtime = kEntryTable;
  runtime.CallRuntimeHelper(runtime_helper::kInitRuntime, 0, nullptr);
  _fpreset();
  const intptr_t exitRoutine[] = {reinterpret_cast<intptr_t>(&FreeStartGuards)};
  runtime.CallRuntimeHelper(runtime_helper::kRegisterExitRoutine, 1, exitRoutine);
  ResolveSkinAtEntry();
  runtime.LoadWindow(kMainWindowId);
  runtime.RunMessageLoop();
  return 0;
}

}  // namespace mnemora::app
