#include "app/main_routine.h"

#include <float.h>

#include <cstdint>

#include "app/instruction_set.h"
#include "app/program_header.h"
#include "app/query_worker.h"
#include "app/start_guards.h"
#include "runtime/entry_table.h"

namespace mnemora::app {
namespace {

// Frees the application's globals when the program ends.
void FreeGlobals() {
  // No worker may still read what is freed next.
  StopQueryWorkers();
  FreeInstructionSet();
  FreeStartGuards();
}

}  // namespace

int ApplicationMain() {
  const EntryTable& runtime = kEntryTable;
  runtime.CallRuntimeHelper(runtime_helper::kInitRuntime, 0, nullptr);
  _fpreset();
  // The globals start out empty: the instruction table is loaded by the
  // window's creation sequence.
  const intptr_t exitRoutine = reinterpret_cast<intptr_t>(&FreeGlobals);
  runtime.CallRuntimeHelper(runtime_helper::kRegisterExitRoutine, 1, &exitRoutine);
  ResolveSkinAtEntry();
  runtime.LoadWindow(kMainWindowId);
  runtime.RunMessageLoop();
  return 0;
}

}  // namespace mnemora::app
