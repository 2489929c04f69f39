// Long walks over the table (searches, building a file text) stop at a
// checkpoint after every slice of entries: there the window gets to process
// its pending messages, and a query that is no longer wanted stops.
#pragma once

#include <cstdint>
#include <functional>

namespace mnemora::app {

inline constexpr int32_t kEntriesPerCheckpoint = 1024;

// Returns false to stop the walk.
using Checkpoint = std::function<bool()>;

// Processes the calling thread's pending messages, at most once per
// kProcessEventsIntervalMs on each thread, and goes on. Looking for pending
// messages asks the window server, which costs far more than a slice of
// entries; a window that processes its messages within a frame's time
// stays just as responsive.
inline constexpr int64_t kProcessEventsIntervalMs = 10;
bool ProcessEventsCheckpoint();

}  // namespace mnemora::app
