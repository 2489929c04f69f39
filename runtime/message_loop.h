// The message loop with its idle work, and processing of pending messages.
#pragma once

#include <cstdint>

namespace mnemora {

enum class LoopMode { kMain = 0, kModal = 1 };

// Entry slot 11: marks the main loop as started and runs it, but only while
// at least one loaded window exists.
void RunMainMessageLoop();

// The loop itself; in modal mode it returns once no modal window is current
// or when WM_QUIT is next (left queued for the outer loop).
void RunMessageLoop(LoopMode mode);

// The runtime's idle step for idle count k; answers whether more idle work
// is wanted.
bool RuntimeIdleStep(long idleCount);

// Dispatches queued messages until the queue is empty or WM_QUIT is next.
void ProcessPendingMessages();

}  // namespace mnemora
