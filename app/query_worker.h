// The query as the user types: every change of 编辑框_查询 starts a worker
// thread that lists the entries whose mnemonic contains the upper-cased
// query. Only the newest query's worker writes the units: an older one stops
// at its next checkpoint, so when typing stops the annotation box holds the
// newest query's results whatever order the workers finish in.
#pragma once

#include <cstdint>

#include "runtime/event_handler.h"

namespace mnemora::app {

// Handler of 编辑框_查询's content change: starts a query worker.
HandlerOutcome OnQueryChanged(int32_t count, const HandlerArg* args);

}  // namespace mnemora::app
