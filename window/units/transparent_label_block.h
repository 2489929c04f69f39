// The transparent label's property block: its fields, defaults and byte
// codec. Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#include "window/form_bytes.h"

namespace mnemora {

inline constexpr uint32_t kTransparentLabelBlockVersion = 1;

// Every member has its default as initialiser, so a designated initialiser
// may name only the fields that differ.
struct TransparentLabelProperties {
  uint32_t version = kTransparentLabelBlockVersion;
  uint32_t effect = 0;  // 0 none, 1 sunken, 2 raised, 3 shadow
  uint32_t textColour = 0;
  uint32_t horizontalAlignment = 0;  // 0 left, 1 centre, 2 right
  uint32_t verticalAlignment = 1;    // 0 top, 1 centre, 2 bottom
  uint32_t multiLine = 0;
  Bytes font{};  // empty, or a 60-byte LOGFONTA
  std::string caption = "透明标签";

  bool operator==(const TransparentLabelProperties&) const = default;
};

bool ReadTransparentLabelBlock(const Bytes& block, TransparentLabelProperties* out);
Bytes WriteTransparentLabelBlock(const TransparentLabelProperties& properties);

}  // namespace mnemora
