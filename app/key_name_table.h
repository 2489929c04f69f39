// The names the key monitor gives virtual key codes. Free of <windows.h>.
#pragma once

#include <cstdint>
#include <span>

namespace mnemora::app {

struct KeyNameRow {
  int32_t code;
  const char* name;  // GBK
};

// Every named code, ascending; codes not listed have no name.
std::span<const KeyNameRow> KeyNameTable();

// The code's name, or "" (never null) for a code without one, such as the
// keypad digits and the right Windows key.
const char* KeyName(int32_t code);

}  // namespace mnemora::app
