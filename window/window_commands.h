// Core-library commands on windows and units.
#pragma once

#include "runtime/library_command.h"

namespace mnemora {

// (unit reference) -> integer: the native window handle, 0 when there is none.
void GetWindowHandle(ArgValue* result, int32_t count, ArgValue* args);
// (unit reference): gives the unit's native window the keyboard focus.
void FocusUnit(ArgValue* result, int32_t count, ArgValue* args);
// (unit reference, [immediately]): destroys a unit; a window closes after
// the current handler returned unless asked to go immediately.
void DestroyUnit(ArgValue* result, int32_t count, ArgValue* args);

}  // namespace mnemora
