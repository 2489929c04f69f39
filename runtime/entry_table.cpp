#include "runtime/entry_table.h"

#include "runtime/dll_calls.h"
#include "runtime/end_program.h"
#include "runtime/error_table.h"
#include "runtime/exit_routines.h"
#include "runtime/heap_blocks.h"
#include "runtime/init_runtime.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_error.h"
#include "runtime/window_system_hooks.h"

namespace mnemora {
namespace {

// Codes without a table entry are reported as code 0 with no message.
void ReportNumberedError(int32_t code, int32_t positionA, int32_t positionB) {
  const char* message = ErrorTableMessage(code);
  RaiseRuntimeError(message, message != nullptr ? code : 0, positionA, positionB);
}

uint64_t ReadUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t fontPart) {
  return CurrentWindowSystem().readUnitProperty(windowId, unitId, property, fontPart);
}

void WriteUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t fontPart,
                       uint32_t valueLow, uint32_t valueHigh) {
  CurrentWindowSystem().writeUnitProperty(windowId, unitId, property, fontPart, valueLow,
                                          valueHigh);
}

void LoadWindow(uint32_t windowId) {
  if (!CurrentWindowSystem().loadWindow(windowId)) {
    RaiseRuntimeError("载入启动窗口失败", 0, static_cast<int32_t>(windowId), 0);
  }
}

intptr_t CallRuntimeHelper(int32_t helper, int32_t count, const intptr_t* args) {
  namespace rh = runtime_helper;
  switch (helper) {
    case rh::kUnshareArray:
      UnshareArray(static_cast<int32_t>(args[0]), reinterpret_cast<void**>(args[1]));
      return 0;
    case rh::kRegisterExitRoutine:
      RegisterExitRoutine(reinterpret_cast<ExitRoutine>(args[0]));
      return 0;
    case rh::kReadUnitPropertyThroughKind:
    case rh::kWriteUnitPropertyThroughKind:
      return CurrentWindowSystem().propertyHelper(helper, count, args);
    case rh::kInitRuntime:
      InitRuntime();
      return 0;
    default:
      // Helpers 0 and 1 serve a file search the application never makes.
      return 0;
  }
}

}  // namespace

ArgValue CallLibraryCommand(LibraryCommand command, int32_t, int32_t count, ArgValue* args) {
  return CallCoreCommand(command, count, args);
}

ArgValue CallCoreCommand(LibraryCommand command, int32_t count, ArgValue* args) {
  ArgValue result = ArgValue::None();
  command(&result, count, args);
  return result;
}

const EntryTable kEntryTable = {
    ReportNumberedError,  // 1
    CallDllFunction,      // 2
    CallLibraryCommand,   // 3
    CallCoreCommand,      // 4
    ReadUnitProperty,     // 5
    WriteUnitProperty,    // 6
    MemAlloc,             // 7
    MemRealloc,           // 8
    MemFree,              // 9
    EndProgram,           // 10
    RunMainMessageLoop,   // 11
    LoadWindow,           // 12
    CallRuntimeHelper,    // 13
};

}  // namespace mnemora
