// Reading a command's arguments. Free of <windows.h>.
#pragma once

#include <cstdint>

#include "runtime/arg_value.h"

namespace mnemora {

// Argument i, or "no value" when the caller passed fewer arguments, so that
// a left-out trailing argument and one passed as three zero words read alike.
inline ArgValue ArgAt(int32_t count, const ArgValue* args, int32_t i) {
  return i < count ? args[i] : ArgValue::None();
}

inline bool IsGiven(const ArgValue& value) {
  return value.type != type_code::kNone;
}

// Text arguments are never null, but a null pointer reads as the empty text
// rather than crashing, and so does a value of any other type: its value
// words are no text's address.
inline const char* TextOf(const ArgValue& value) {
  const char* text = value.type == type_code::kText ? value.AsText() : nullptr;
  return text != nullptr ? text : "";
}

}  // namespace mnemora
