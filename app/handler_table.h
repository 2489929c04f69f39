// The application's handler table, in the order of the routine numbers the
// stored form refers to; the program header's code base points at it.
#pragma once

#include "runtime/event_handler.h"

namespace mnemora::app {

const HandlerTable& MainWindowHandlers();

}  // namespace mnemora::app
