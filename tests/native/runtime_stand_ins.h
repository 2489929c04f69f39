// Native stand-ins for the parts of the runtime that the Win32-free
// libraries reach: the run-time error report and the entry table. They
// record what was called; a report, which never returns, throws instead,
// so that a test or a fuzz target sees it and goes on.
#pragma once

#include <cstdint>
#include <string>

namespace mnemora::native {

// What RaiseRuntimeError was given; thrown by it.
struct RuntimeErrorRaised {
  std::string message;
  int32_t code;
  int32_t positionA;
  int32_t positionB;
};

// Thrown by the entry table's EndProgram slot.
struct ProgramEnded {
  int32_t exitCode;
};

// Entry slots, numbered as the entry table numbers them (1 to 13).
inline constexpr int kEntrySlotCount = 13;

// How often each entry slot was called since the last reset.
int EntryCalls(int slot);
// How many run-time errors were raised since the last reset.
int RuntimeErrorsRaised();
void ResetStandIns();

}  // namespace mnemora::native
