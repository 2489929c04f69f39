// Mouse pointers: the stored pointer bytes, the index the application sees
// and the loaded cursor.
#pragma once

#include <windows.h>

#include <cstdint>

#include "window/form_description.h"

namespace mnemora {

// Index 0-14 to cursor id (0 is the default pointer).
uint32_t CursorIdForIndex(uint32_t index);
// Cursor id to its index; an id not in the table is returned unchanged.
uint32_t CursorIndexForId(uint32_t id);

// Property reads give the first dword as a table index, writes take one;
// both leave other bytes alone and shorter byte sets unchanged.
Bytes PointerBytesToApplication(const Bytes& stored);
Bytes PointerBytesFromApplication(const Bytes& given);

// Loads the pointer the stored bytes describe; null for the default pointer.
// *owned tells whether the caller must destroy it.
HCURSOR LoadUnitPointer(const Bytes& stored, bool* owned);

}  // namespace mnemora
