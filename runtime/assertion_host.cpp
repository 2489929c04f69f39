// Failed assertions in programs for the build machine (the form data
// generator, the native tests and fuzz targets): written to standard error,
// then the process aborts, which the sanitizers and libFuzzer report.
#include <cstdio>
#include <cstdlib>

#include "runtime/assertion.h"

namespace mnemora {

void StopOnFailedAssertion(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "Mnemora: assertion failed: %s, at %s:%d\n", condition, file, line);
  std::fflush(stderr);
  std::abort();
}

}  // namespace mnemora
