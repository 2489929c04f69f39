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
// rather than crashing.
inline const char* TextOf(const ArgValue& value) {
  const char* text = value.AsText();
  return text != nullptr ? text : "";
}

}  // namespace mnemora
