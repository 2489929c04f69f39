// The shape of every library command and of a support library's record.
// Free of <windows.h>.
#pragma once

#include <cstdint>

#include "runtime/arg_value.h"

namespace mnemora {

// Reads count consecutive ArgValues from args (the first at the lowest
// address) and writes its result into *result. It never frees or keeps an
// argument's block. With count 0, args points where an argument would be.
using LibraryCommand = void (*)(ArgValue* result, int32_t count, ArgValue* args);

// The runtime service function: service code, two parameters, a result that
// is a 32-bit integer or, for the services that hand out blocks, a pointer.
using RuntimeServiceFunction = intptr_t (*)(int32_t code, intptr_t parameter1, intptr_t parameter2);

// A support library's notification function: code 1 at start-up (parameter 1
// the runtime service function), code 6 at shut-down (parameter 1 the
// library's data word).
using LibraryNotifyFunction = intptr_t (*)(int32_t code, intptr_t parameter1, intptr_t parameter2);

namespace library_notification {
inline constexpr int32_t kStarted = 1;
inline constexpr int32_t kEnding = 6;
}  // namespace library_notification

struct UnitTypeDescriptor;

// What the program records of one support library.
struct LibraryInfo {
  const char* identifier;  // 32 hexadecimal characters
  const char* name;
  LibraryNotifyFunction notify;  // may be null
  uint32_t unitTypeCount;
  const UnitTypeDescriptor* unitTypes;  // indexed by type number minus one
  uint32_t commandCount;
  const char* const* commandNames;  // the library's commands the program uses
};

}  // namespace mnemora
