// The query as the user types. Every change of 编辑框_查询 is handled on the
// UI thread, which empties the annotation box, hides the picture and reads
// the query; a worker thread then only searches the table as it stood and
// hands back its one result, which the UI thread shows while that query is
// still the newest action.
#pragma once

#include <cstdint>

#include "runtime/event_handler.h"

namespace mnemora::app {

// Handler of 编辑框_查询's content change: starts a query worker.
HandlerOutcome OnQueryChanged(int32_t count, const HandlerArg* args);

// Supersedes every running worker and waits until none is left; no worker
// waits on the UI thread, so this cannot hang on one.
void StopQueryWorkers();

}  // namespace mnemora::app
