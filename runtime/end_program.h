// Orderly shut-down and the end of the process.
#pragma once

#include <cstdint>

namespace mnemora {

// Message to the hidden owner window: wParam is an exit code to end with.
inline constexpr unsigned kEndProgramMessage = 0x83E7;

// On the main thread: shuts down and ends the process with exitCode. On
// another thread: hands the work to the main thread; returns only when the
// program is already ending.
void EndProgram(int32_t exitCode);

// The shut-down steps on the main thread, without ending the process.
void ShutDownRuntime();

}  // namespace mnemora
