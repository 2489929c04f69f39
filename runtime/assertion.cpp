#include "runtime/assertion.h"

#include <windows.h>

#include <cstdio>

namespace mnemora {

// The exit code of a process stopped by a failed assertion.
constexpr UINT kFailedAssertionExitCode = 3;

void StopOnFailedAssertion(const char* condition, const char* file, int line) {
  char text[512];
  std::snprintf(text, sizeof text, "Mnemora: assertion failed: %s, at %s:%d\n", condition, file,
                line);
  OutputDebugStringA(text);
  std::fputs(text, stderr);
  std::fflush(stderr);
  // Nothing of the program runs after this, not even its shut-down: its
  // state is known to be wrong.
  TerminateProcess(GetCurrentProcess(), kFailedAssertionExitCode);
  ExitProcess(kFailedAssertionExitCode);
}

}  // namespace mnemora
