// Messages of the numbered run-time errors raised by application code.
// Free of <windows.h>.
#pragma once

#include <cstdint>

namespace mnemora {

inline constexpr int32_t kErrorSubscriptOutOfRange = 1;
inline constexpr int32_t kErrorSubscriptBelowOne = 4;
inline constexpr int32_t kErrorDllStack = 6;

// The message of error code 1 to 11; null for any other code.
const char* ErrorTableMessage(int32_t code);

}  // namespace mnemora
