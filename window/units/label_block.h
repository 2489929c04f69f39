// The label's property block: its fields, defaults and byte codec.
// Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#include "window/form_bytes.h"

namespace mnemora {

inline constexpr uint32_t kLabelBlockVersion = 2;

// Every member has its default as initialiser, so a designated initialiser
// may name only the fields that differ.
struct LabelProperties {
  uint32_t version = kLabelBlockVersion;
  uint32_t effect = 0;  // 0 to 3
  uint32_t frameWidth = 8;
  uint32_t borderStyle = 0;  // 6: gradient frame
  uint32_t frameColour1 = 0x00808080;
  uint32_t frameColour2 = 0x00FFFFFF;
  uint32_t frameColour3 = 0x00808080;
  uint32_t textColour = 0;
  uint32_t backgroundColour = 0xFF000000;
  uint32_t pictureMode = 1;   // 0 top left, 1 tiled, 2 fitted and centred
  uint32_t gradientMode = 0;  // 0 none, 1 to 8
  uint32_t gradientColour1 = 0x00808080;
  uint32_t gradientColour2 = 0x00FFFFFF;
  uint32_t gradientColour3 = 0x00808080;
  uint32_t horizontalAlignment = 0;  // 0 left, 1 centre, 2 right
  uint32_t verticalAlignment = 1;    // 0 top, 1 centre, 2 bottom
  uint32_t wordWrap = 0;
  Bytes font{};  // empty, or a 60-byte LOGFONTA
  Bytes backgroundPicture{};
  std::string caption = "标签";
  std::string dataSource{};  // version 2 on
  std::string dataColumn{};  // version 2 on

  bool operator==(const LabelProperties&) const = default;
};

bool ReadLabelBlock(const Bytes& block, LabelProperties* out);
Bytes WriteLabelBlock(const LabelProperties& properties);

}  // namespace mnemora
