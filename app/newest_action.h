// The newest action wins the annotation box. Every action that fills it
// (each query change, the Enter search, a list selection, the double
// clicks, the three edits) takes a number when it starts, and writes its
// result only while that number is still the newest: a worker that an
// action overtook, or an outer action that one nested inside it (through
// processed messages) overtook, leaves the newer result standing.
#pragma once

#include <cstdint>

namespace mnemora::app {

uint32_t BeginAction();
bool IsNewestAction(uint32_t action);

// On the UI thread: the action is still the newest and the window it writes
// to is still open (a close may have run while it processed messages).
bool MayShowResultOf(uint32_t action);

}  // namespace mnemora::app
