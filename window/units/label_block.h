// The label's property block: its fields, their defaults and
// the order they are stored in.
// Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#include "window/form_bytes.h"
#include "window/units/block_fields.h"

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

  // The fields after the version, in stored order; p is a record of this
  // kind, const when writing.
  template <typename Fields, typename Self>
  static void VisitFields(Fields& f, Self& p) {
    f.Fields(p.effect, p.frameWidth, p.borderStyle, p.frameColour1, p.frameColour2, p.frameColour3,
             p.textColour, p.backgroundColour, p.pictureMode, p.gradientMode, p.gradientColour1,
             p.gradientColour2, p.gradientColour3, p.horizontalAlignment, p.verticalAlignment,
             p.wordWrap, p.font, p.backgroundPicture, p.caption);
    f.FieldsSince(p.version, 2, p.dataSource, p.dataColumn);
  }

  bool operator==(const LabelProperties&) const = default;
};

}  // namespace mnemora
