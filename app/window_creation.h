// The main window's creation sequence: the handler of the window's event 0,
// which runs once the window and all its units exist.
#pragma once

#include <cstdint>

#include "runtime/event_handler.h"

namespace mnemora::app {

HandlerOutcome OnWindowCreated(int32_t count, const HandlerArg* args);

}  // namespace mnemora::app
