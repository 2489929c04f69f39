// How the application's event handlers are called, and the table through
// which the stored handler references reach them. Free of <windows.h>.
#pragma once

#include <cstdint>

#include "runtime/arg_value.h"

namespace mnemora {

struct HandlerOutcome {
  bool returned = false;  // whether the handler returned a value
  uint64_t value = 0;
};

// args holds count arguments, first first.
using EventHandler = HandlerOutcome (*)(int32_t count, const HandlerArg* args);

// The program's code base points at this table; a stored handler reference
// n (n >= 0) names routines[n].
struct HandlerTable {
  uint32_t count;
  const EventHandler* routines;
};

}  // namespace mnemora
