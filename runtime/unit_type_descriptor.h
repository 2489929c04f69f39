// A unit kind as a support library describes it: names, state flags, the
// property table and the function that hands out the kind's operations.
// Pointer-sized slots, so the record is fourteen 32-bit words on the 32-bit
// build. Free of <windows.h>.
#pragma once

#include <cstdint>

namespace mnemora {

struct UnitPropertyEntry {
  const char* name;
  const char* englishName;
  const char* description;
  uint16_t typeCode;
  uint16_t flags;
  const char* pickList;
};

// Hands out the kind's numbered operation, or null when it has none.
using GetUnitInterfaceFunction = void* (*)(int32_t operation);

struct UnitTypeDescriptor {
  const char* name;
  const char* englishName;
  const void* unused1[3];
  uint32_t stateFlags;
  const void* unused2[3];
  uint32_t propertyCount;
  const UnitPropertyEntry* properties;
  GetUnitInterfaceFunction getInterface;
  const void* unused3[2];
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(UnitPropertyEntry) == 20, "five 32-bit words on the 32-bit build");
static_assert(sizeof(UnitTypeDescriptor) == 56, "fourteen 32-bit words on the 32-bit build");
#endif

}  // namespace mnemora
