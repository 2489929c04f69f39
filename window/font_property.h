// Font properties: a 60-byte LOGFONTA record (or nothing: the default GUI
// font), read and written whole or by part.
#pragma once

#include <cstdint>

#include "window/form_description.h"

namespace mnemora {

namespace font_part {
inline constexpr int32_t kWhole = -1;
inline constexpr int32_t kAngle = 0;
inline constexpr int32_t kBold = 1;
inline constexpr int32_t kItalic = 2;
inline constexpr int32_t kStrikeOut = 3;
inline constexpr int32_t kUnderline = 4;
inline constexpr int32_t kSize = 5;
inline constexpr int32_t kFaceName = 6;
}  // namespace font_part

// The whole-font value: one block holding this record, followed by the face
// name it points to, so the caller frees a single block.
struct FontValue {
  int32_t angle;
  int32_t bold;
  int32_t italic;
  int32_t strikeOut;
  int32_t underline;
  int32_t size;
  const char* faceName;
};

// The 8-byte value of a font part; the whole font and the face name are new
// blocks. A part outside -1..6 reads as 0. A stored face name that fills
// all 32 bytes is cut to 31.
uint64_t ReadFontPart(const Bytes& fontRecord, int32_t part);
// The font record after writing the part with the given value words; a
// part outside -1..6 leaves it as it is.
Bytes WriteFontPart(const Bytes& fontRecord, int32_t part, uint32_t valueLow, uint32_t valueHigh);

}  // namespace mnemora
