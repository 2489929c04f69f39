// The special-function library's memory allocation.
#pragma once

#include <cstdint>

#include "runtime/arg_value.h"

namespace mnemora {

// size, [zero fill false] → integer: the address of a new runtime-heap block
// the caller owns, or 0 for a size of 0 or less or a failed request (never
// a run-time error). The address fills both value words on the 64-bit build.
void AllocateMemory(ArgValue* result, int32_t count, ArgValue* args);

}  // namespace mnemora
