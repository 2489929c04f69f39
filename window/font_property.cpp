#include "window/font_property.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/heap_blocks.h"
#include "window/gdi_scopes.h"
#include "window/unit_support.h"

namespace mnemora {
namespace {

constexpr char kDefaultFace[] = "宋体";

LOGFONTA FontOf(const Bytes& record) {
  LOGFONTA font{};
  if (record.size() == kFontRecordSize) {
    std::memcpy(&font, record.data(), sizeof font);
  } else {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  }
  // A stored face name may fill all its bytes: its last one ends it here.
  font.lfFaceName[LF_FACESIZE - 1] = '\0';
  return font;
}

bool IsFontPart(int32_t part) {
  return part >= font_part::kWhole && part <= font_part::kFaceName;
}

Bytes RecordOf(const LOGFONTA& font) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&font);
  return Bytes(bytes, bytes + sizeof font);
}

int PixelsPerInch() {
  const WindowDc screen(nullptr);
  const int ppi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return ppi > 0 ? ppi : 96;
}

int32_t SizeInPoints(const LOGFONTA& font) {
  return std::abs(font.lfHeight) * 72 / PixelsPerInch();
}

LONG HeightForPoints(int32_t size) {
  return -(std::abs(size) * PixelsPerInch() / 72);
}

void SetFace(LOGFONTA* font, const char* face, size_t longest) {
  const size_t length = face != nullptr ? std::strlen(face) : 0;
  const char* chosen = length == 0 || length > longest ? kDefaultFace : face;
  std::memset(font->lfFaceName, 0, sizeof font->lfFaceName);
  std::strncpy(font->lfFaceName, chosen, sizeof font->lfFaceName - 1);
}

int32_t Angle(int64_t value) {
  const int64_t angle = value % 3600;
  return static_cast<int32_t>(angle < 0 ? angle + 3600 : angle);
}

uint64_t PointerValue(const void* block) {
  return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(block));
}

}  // namespace

uint64_t ReadFontPart(const Bytes& fontRecord, int32_t part) {
  if (!IsFontPart(part)) {
    return 0;
  }
  const LOGFONTA font = FontOf(fontRecord);
  switch (part) {
    case font_part::kAngle:
      return static_cast<uint32_t>(font.lfOrientation);
    case font_part::kBold:
      return font.lfWeight >= FW_BOLD ? 1 : 0;
    case font_part::kItalic:
      return font.lfItalic != 0 ? 1 : 0;
    case font_part::kStrikeOut:
      return font.lfStrikeOut != 0 ? 1 : 0;
    case font_part::kUnderline:
      return font.lfUnderline != 0 ? 1 : 0;
    case font_part::kSize:
      return static_cast<uint32_t>(SizeInPoints(font));
    case font_part::kFaceName:
      return PointerValue(MakeText(font.lfFaceName));
    case font_part::kWhole: {
      const size_t faceLength = std::strlen(font.lfFaceName);
      auto* block =
          static_cast<uint8_t*>(MemAlloc(static_cast<int32_t>(sizeof(FontValue) + faceLength + 1)));
      char* face = reinterpret_cast<char*>(block + sizeof(FontValue));
      std::memcpy(face, font.lfFaceName, faceLength + 1);
      const FontValue value{font.lfOrientation,
                            font.lfWeight >= FW_BOLD ? 1 : 0,
                            font.lfItalic != 0 ? 1 : 0,
                            font.lfStrikeOut != 0 ? 1 : 0,
                            font.lfUnderline != 0 ? 1 : 0,
                            SizeInPoints(font),
                            face};
      std::memcpy(block, &value, sizeof value);
      return PointerValue(block);
    }
  }
  return 0;
}

Bytes WriteFontPart(const Bytes& fontRecord, int32_t part, uint32_t valueLow, uint32_t valueHigh) {
  if (!IsFontPart(part)) {
    return fontRecord;
  }
  LOGFONTA font = FontOf(fontRecord);
  const auto value = static_cast<int32_t>(valueLow);
  const void* pointer = reinterpret_cast<const void*>(
      static_cast<uintptr_t>(static_cast<uint64_t>(valueHigh) << 32 | valueLow));
  switch (part) {
    case font_part::kAngle:
      font.lfEscapement = font.lfOrientation = Angle(value);
      break;
    case font_part::kBold:
      font.lfWeight = value != 0 ? FW_BOLD : 0;
      break;
    case font_part::kItalic:
      font.lfItalic = value != 0;
      break;
    case font_part::kStrikeOut:
      font.lfStrikeOut = value != 0;
      break;
    case font_part::kUnderline:
      font.lfUnderline = value != 0;
      break;
    case font_part::kSize:
      font.lfHeight = HeightForPoints(value);
      break;
    case font_part::kFaceName:
      SetFace(&font, static_cast<const char*>(pointer), 31);
      break;
    case font_part::kWhole: {
      if (pointer == nullptr) {
        break;
      }
      FontValue whole;
      std::memcpy(&whole, pointer, sizeof whole);
      font.lfEscapement = font.lfOrientation = Angle(whole.angle);
      font.lfWeight = whole.bold != 0 ? FW_BOLD : 0;
      font.lfItalic = whole.italic != 0;
      font.lfStrikeOut = whole.strikeOut != 0;
      font.lfUnderline = whole.underline != 0;
      font.lfHeight = HeightForPoints(whole.size < 0 ? 0 : whole.size);
      SetFace(&font, whole.faceName, 30);
      break;
    }
  }
  return RecordOf(font);
}

}  // namespace mnemora
