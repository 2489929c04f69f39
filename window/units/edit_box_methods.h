// The edit box method, called as a library command whose first argument is
// the edit box's unit reference.
#pragma once

#include <cstdint>

#include "runtime/arg_value.h"

namespace mnemora {

// One or more texts, appended in order, each raising the unit's event 0;
// no result. A reference that names no live edit box does nothing.
void AppendText(ArgValue* result, int32_t count, ArgValue* args);

}  // namespace mnemora
