// The one channel for programming errors: a condition that no input, file
// or message can make false, only a fault in the program. A failed
// assertion writes what failed and where to the debugger output and to
// standard error, then ends the process at once. Release builds keep it.
// Free of <windows.h>.
#pragma once

namespace mnemora {

[[noreturn]] void StopOnFailedAssertion(const char* condition, const char* file, int line);

}  // namespace mnemora

#define MNEMORA_ASSERT(condition)                                       \
  do {                                                                  \
    if (!(condition)) {                                                 \
      ::mnemora::StopOnFailedAssertion(#condition, __FILE__, __LINE__); \
    }                                                                   \
  } while (false)
