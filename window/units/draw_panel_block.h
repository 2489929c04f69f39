// The drawing panel's property block: its fields, defaults and byte codec.
// Free of <windows.h>.
#pragma once

#include <cstdint>

#include "window/form_bytes.h"

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

  bool operator==(const DrawPanelProperties&) const = default;
};

bool ReadDrawPanelBlock(const Bytes& block, DrawPanelProperties* out);
Bytes WriteDrawPanelBlock(const DrawPanelProperties& properties);

}  // namespace mnemora
