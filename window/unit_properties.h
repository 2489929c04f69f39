// Reading and writing unit properties by number: the common properties 0-7
// answered from the record and the live window, the others by the kind.
#pragma once

#include <cstdint>

#include "window/window_set.h"

namespace mnemora {

// The property's 8-byte value; texts and byte sets are new blocks.
uint64_t ReadUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t fontPart);
void WriteUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t fontPart,
                       uint32_t valueLow, uint32_t valueHigh);

// Runtime helpers 4 (read: window id, unit id, property, font part) and 5
// (write: the same and the two value words).
intptr_t UnitPropertyHelper(int32_t helper, int32_t count, const intptr_t* args);

// Rebuilds the unit of record index from its saved property block.
void RecreateUnit(LiveWindow& window, size_t index);

}  // namespace mnemora
