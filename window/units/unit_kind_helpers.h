// Small pieces the core unit kinds share: moving numbers and texts in and
// out of property values.
#pragma once

#include <string>

#include "window/units/unit_interface.h"

namespace mnemora {

inline UnitValue NumberValue(int64_t number) {
  UnitValue value;
  value.number = number;
  return value;
}

inline UnitValue BytesValue(Bytes bytes) {
  UnitValue value;
  value.bytes = std::move(bytes);
  return value;
}

inline UnitValue TextValue(const std::string& text) {
  return BytesValue(Bytes(text.begin(), text.end()));
}

// A text value stops at its first zero byte, as the texts of the runtime do.
inline std::string TextOf(const UnitValue& value) {
  std::string text(value.bytes.begin(), value.bytes.end());
  return text.substr(0, text.find('\0'));
}

inline uint32_t BooleanOf(const UnitValue& value) {
  return value.number != 0 ? 1 : 0;
}

// Stores a choice the native window takes only when it is made; true when
// the choice changed, so the window must be rebuilt for it.
inline bool RebuildOnChange(uint32_t* stored, uint32_t wanted) {
  const bool changed = *stored != wanted;
  *stored = wanted;
  return changed;
}

}  // namespace mnemora
