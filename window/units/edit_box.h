// The edit box unit kind: a native edit control with an optional up-down
// adjuster beside it, its input modes, colours and content events.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/unit_type_descriptor.h"

namespace mnemora {

extern const UnitTypeDescriptor kEditBoxDescriptor;

// Puts the caret after the last character of an edit box unit's window and
// inserts text there, raising the unit's event 0. Safe from any thread: it
// runs whole on the UI thread. Does nothing for a window that is not an
// edit box unit's, or once the windows are gone.
void AppendToEditBox(HWND editBox, const char* text);

}  // namespace mnemora
