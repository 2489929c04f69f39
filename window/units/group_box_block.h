// The group box's property block: its fields, defaults and byte codec.
// Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#include "window/form_bytes.h"

namespace mnemora {

inline constexpr uint32_t kGroupBoxBlockVersion = 1;

// Every member has its default as initialiser, so a designated initialiser
// may name only the fields that differ.
struct GroupBoxProperties {
  uint32_t version = kGroupBoxBlockVersion;
  uint32_t alignment = 0;  // 0 left, 1 centre, 2 right
  uint32_t textColour = 0;
  uint32_t backgroundColour = 0xFF000000;
  Bytes font{};  // empty, or a 60-byte LOGFONTA
  std::string caption{};

  bool operator==(const GroupBoxProperties&) const = default;
};

bool ReadGroupBoxBlock(const Bytes& block, GroupBoxProperties* out);
Bytes WriteGroupBoxBlock(const GroupBoxProperties& properties);

}  // namespace mnemora
