#include "tests/native/runtime_stand_ins.h"

#include <array>
#include <atomic>

#include "runtime/entry_table.h"
#include "runtime/error_table.h"
#include "runtime/heap_blocks.h"
#include "runtime/runtime_error.h"

namespace mnemora {
namespace {

std::array<std::atomic<int>, native::kEntrySlotCount + 1> g_entryCalls{};
std::atomic<int> g_errorsRaised{0};

void Count(int slot) {
  ++g_entryCalls[static_cast<size_t>(slot)];
}

void ReportNumberedError(int32_t code, int32_t positionA, int32_t positionB) {
  Count(1);
  const char* message = ErrorTableMessage(code);
  RaiseRuntimeError(message, message != nullptr ? code : 0, positionA, positionB);
}

// No outside DLL is called natively: the call is recorded and gives 0.
uintptr_t CallDllFunction(int32_t, int32_t, const uintptr_t*) {
  Count(2);
  return 0;
}

// There are no units natively: reads give 0 and writes are recorded only.
uint64_t ReadUnitProperty(uint32_t, uint32_t, int32_t, int32_t) {
  Count(5);
  return 0;
}

void WriteUnitProperty(uint32_t, uint32_t, int32_t, int32_t, uint32_t, uint32_t) {
  Count(6);
}

void* EntryMemAlloc(int32_t size) {
  Count(7);
  return MemAlloc(size);
}

void* EntryMemRealloc(void* block, int32_t size) {
  Count(8);
  return MemRealloc(block, size);
}

void EntryMemFree(void* block) {
  Count(9);
  MemFree(block);
}

void EndProgram(int32_t exitCode) {
  Count(10);
  throw native::ProgramEnded{exitCode};
}

void RunMessageLoop() {
  Count(11);
}

void LoadWindow(uint32_t) {
  Count(12);
}

intptr_t CallRuntimeHelper(int32_t helper, int32_t, const intptr_t* args) {
  Count(13);
  if (helper == runtime_helper::kUnshareArray) {
    UnshareArray(static_cast<int32_t>(args[0]), reinterpret_cast<void**>(args[1]));
  }
  return 0;
}

}  // namespace

ArgValue CallLibraryCommand(LibraryCommand command, int32_t, int32_t count, ArgValue* args) {
  Count(3);
  ArgValue result = ArgValue::None();
  command(&result, count, args);
  return result;
}

ArgValue CallCoreCommand(LibraryCommand command, int32_t count, ArgValue* args) {
  Count(4);
  ArgValue result = ArgValue::None();
  command(&result, count, args);
  return result;
}

[[noreturn]] void RaiseRuntimeError(const char* message, int32_t code, int32_t positionA,
                                    int32_t positionB) {
  ++g_errorsRaised;
  throw native::RuntimeErrorRaised{message != nullptr ? message : "", code, positionA, positionB};
}

const EntryTable kEntryTable = {
    ReportNumberedError,  // 1
    CallDllFunction,      // 2
    CallLibraryCommand,   // 3
    CallCoreCommand,      // 4
    ReadUnitProperty,     // 5
    WriteUnitProperty,    // 6
    EntryMemAlloc,        // 7
    EntryMemRealloc,      // 8
    EntryMemFree,         // 9
    EndProgram,           // 10
    RunMessageLoop,       // 11
    LoadWindow,           // 12
    CallRuntimeHelper,    // 13
};

namespace native {

int EntryCalls(int slot) {
  return slot >= 1 && slot <= kEntrySlotCount ? g_entryCalls[static_cast<size_t>(slot)].load() : 0;
}

int RuntimeErrorsRaised() {
  return g_errorsRaised.load();
}

void ResetStandIns() {
  for (auto& calls : g_entryCalls) {
    calls = 0;
  }
  g_errorsRaised = 0;
}

}  // namespace native
}  // namespace mnemora
