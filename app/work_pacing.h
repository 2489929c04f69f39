// Long walks over the table (searches, building a file text) stop at a
// checkpoint after every slice of entries: there the window gets to process
// its pending messages, and a query that is no longer wanted stops. One
// check per slice instead of one per entry keeps the walk itself cheap.
#pragma once

#include <cstdint>
#include <functional>

namespace mnemora::app {

inline constexpr int32_t kEntriesPerCheckpoint = 1024;

// Returns false to stop the walk.
using Checkpoint = std::function<bool()>;

// Processes the calling thread's pending messages and goes on.
bool ProcessEventsCheckpoint();

}  // namespace mnemora::app
