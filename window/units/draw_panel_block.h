// The drawing panel's property block: its fields, their defaults and
// the order they are stored in.
// Free of <windows.h>.
#pragma once

#include <cstdint>

#include "window/form_bytes.h"
#include "window/units/block_fields.h"

namespace mnemora {

inline constexpr uint32_t kDrawPanelBlockVersion = 1;

// Every member has its default as initialiser, so a designated initialiser
// may name only the fields that differ.
struct DrawPanelProperties {
  uint32_t version = kDrawPanelBlockVersion;
  uint32_t borderStyle = 0;
  uint32_t backgroundColour = 0xFF000000;
  uint32_t pictureMode = 0;  // 0 top left, 1 tiled, 2 fitted and centred
  uint32_t keepDrawing = 0;
  uint32_t drawingUnit = 0;
  uint32_t penStyle = 1;
  uint32_t drawingMode = 12;
  uint32_t penWidth = 0;
  uint32_t penColour = 0;
  uint32_t brushStyle = 1;
  uint32_t brushColour = 0x00FFFFFF;
  uint32_t textColour = 0;
  uint32_t textBackgroundColour = 0xFF000000;
  Bytes font{};  // empty, or a 60-byte LOGFONTA
  Bytes backgroundPicture{};

  // The fields after the version, in stored order; p is a record of this
  // kind, const when writing.
  template <typename Fields, typename Self>
  static void VisitFields(Fields& f, Self& p) {
    f.Fields(p.borderStyle, p.backgroundColour, p.pictureMode, p.keepDrawing, p.drawingUnit,
             p.penStyle, p.drawingMode, p.penWidth, p.penColour, p.brushStyle, p.brushColour,
             p.textColour, p.textBackgroundColour, p.font, p.backgroundPicture);
  }

  bool operator==(const DrawPanelProperties&) const = default;
};

}  // namespace mnemora
