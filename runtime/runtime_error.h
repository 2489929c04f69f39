// Raising the run-time error report. The report shows one message box and
// ends the process with -1; it never returns. Free of <windows.h> so that the
// value and text code that raises it can be built natively as well.
#pragma once

#include <cstdint>

namespace mnemora {

// message may be null or empty; code 0 is a message raised by the runtime
// or a library, 1 to 11 the numbered errors of application code.
[[noreturn]] void RaiseRuntimeError(const char* message, int32_t code, int32_t positionA,
                                    int32_t positionB);

}  // namespace mnemora
