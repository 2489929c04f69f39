// The thirteen entry points through which application code reaches the
// runtime. Values the original calling convention handed over "beside the
// stack" (command address, library, declaration and helper numbers) travel
// here as ordinary leading parameters; the pushed arguments stay in place
// as an array the callee reads. Free of <windows.h>.
#pragma once

#include <cstdint>

#include "runtime/arg_value.h"
#include "runtime/library_command.h"

namespace mnemora {

struct EntryTable {
  // 1: never returns.
  void (*ReportRuntimeError)(int32_t code, int32_t positionA, int32_t positionB);
  // 2: words are the DLL function's arguments, first argument first; the
  // result is what the function leaves in the return register.
  uintptr_t (*CallDllFunction)(int32_t declaration, int32_t wordCount, const uintptr_t* words);
  // 3: the library number is accepted and not needed to reach the command.
  ArgValue (*CallLibraryCommand)(LibraryCommand command, int32_t library, int32_t count,
                                 ArgValue* args);
  // 4
  ArgValue (*CallCoreCommand)(LibraryCommand command, int32_t count, ArgValue* args);
  // 5: the 8-byte value; texts and byte sets are new blocks the caller frees.
  uint64_t (*ReadUnitProperty)(uint32_t windowId, uint32_t unitId, int32_t property,
                               int32_t fontPart);
  // 6
  void (*WriteUnitProperty)(uint32_t windowId, uint32_t unitId, int32_t property, int32_t fontPart,
                            uint32_t valueLow, uint32_t valueHigh);
  // 7, 8, 9
  void* (*MemAlloc)(int32_t size);
  void* (*MemRealloc)(void* block, int32_t size);
  void (*MemFree)(void* block);
  // 10: never returns.
  void (*EndProgram)(int32_t exitCode);
  // 11
  void (*RunMessageLoop)();
  // 12
  void (*LoadWindow)(uint32_t windowId);
  // 13: args holds count pointer-sized words, the helper's arguments in order.
  intptr_t (*CallRuntimeHelper)(int32_t helper, int32_t count, const intptr_t* args);
};
static_assert(sizeof(EntryTable) == 13 * sizeof(void*), "thirteen slots");

extern const EntryTable kEntryTable;

namespace runtime_helper {
inline constexpr int32_t kNextFoundFile = 0;
inline constexpr int32_t kCloseFileSearch = 1;
inline constexpr int32_t kUnshareArray = 2;
inline constexpr int32_t kRegisterExitRoutine = 3;
inline constexpr int32_t kReadUnitPropertyThroughKind = 4;
inline constexpr int32_t kWriteUnitPropertyThroughKind = 5;
inline constexpr int32_t kInitRuntime = 6;
}  // namespace runtime_helper

// The command-call entries: zero a result record, call, hand back its words.
ArgValue CallLibraryCommand(LibraryCommand command, int32_t library, int32_t count, ArgValue* args);
ArgValue CallCoreCommand(LibraryCommand command, int32_t count, ArgValue* args);

}  // namespace mnemora
