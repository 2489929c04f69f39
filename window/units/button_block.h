// The button's property block: its fields, defaults and byte codec.
// Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#include "window/form_bytes.h"

namespace mnemora {

inline constexpr uint32_t kButtonBlockVersion = 1;

// Every member has its default as initialiser, so a designated initialiser
// may name only the fields that differ.
struct ButtonProperties {
  uint32_t version = kButtonBlockVersion;
  uint32_t defaultButton = 0;
  uint32_t horizontalAlignment = 1;  // 0 left, 1 centre, 2 right
  uint32_t verticalAlignment = 1;    // 0 top, 1 centre, 2 bottom
  Bytes picture{};                   // an image file, or empty
  Bytes font{};                      // empty, or a 60-byte LOGFONTA
  std::string caption = "按钮";

  bool operator==(const ButtonProperties&) const = default;
};

bool ReadButtonBlock(const Bytes& block, ButtonProperties* out);
Bytes WriteButtonBlock(const ButtonProperties& properties);

}  // namespace mnemora
