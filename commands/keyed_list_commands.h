// The data-structure library's keyed list: entries in insertion order, each
// a unique key (compared byte for byte) with a typed value. An object
// variable holds a pointer to the list head. Free of <windows.h>.
#pragma once

#include <cstdint>

#include "runtime/arg_value.h"

namespace mnemora {

enum class KeyedValueKind : int32_t {
  kNumber = 0,    // 8-byte double
  kBoolean = 1,   // 4-byte word
  kDateTime = 2,  // 8-byte double
  kText = 3,      // the text's bytes and terminator
  kByteSet = 4,   // 32-bit length, then the bytes
};

struct KeyedEntry {
  char* key;  // owned, zero-terminated
  uint32_t keyLength;
  void* value;  // owned block laid out by kind
  KeyedValueKind kind;
  KeyedEntry* next;
};

struct KeyedListHead {
  KeyedEntry* first;
};

// The library's last-error values; success leaves the last error unchanged.
namespace keyed_list_error {
inline constexpr int32_t kDuplicateKey = 100;
inline constexpr int32_t kValueTypeNotStorable = 103;
inline constexpr int32_t kMissingListOrKey = 200;
}  // namespace keyed_list_error

int32_t KeyedListLastError();

// Each takes the address of the object variable as its first argument.
// CreateKeyedList stores a new empty list in the variable.
void CreateKeyedList(ArgValue* result, int32_t count, ArgValue* args);
// Frees every entry and the head, and empties the variable.
void FreeKeyedList(ArgValue* result, int32_t count, ArgValue* args);
// variable, key text, value → boolean: appended. A number of any width is
// stored as a double.
void AddKeyedValue(ArgValue* result, int32_t count, ArgValue* args);

}  // namespace mnemora
