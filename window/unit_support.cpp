#include "window/unit_support.h"

#include <algorithm>
#include <cstring>

namespace mnemora {

COLORREF ResolveColour(uint32_t colour) {
  return colour == kButtonFaceColour ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour);
}

UniqueFont CreateUnitFont(const Bytes& fontRecord) {
  if (fontRecord.size() != kFontRecordSize) {
    return UniqueFont();
  }
  LOGFONTA font;
  std::memcpy(&font, fontRecord.data(), sizeof font);
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = 0;
  font.lfClipPrecision = 0;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = 0;
  return UniqueFont(CreateFontIndirectA(&font));
}

HFONT FontOrDefault(const UniqueFont& font) {
  return font ? font.Get() : StockFont(DEFAULT_GUI_FONT);
}

int32_t ClampInt(int64_t v, int32_t low, int32_t high) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, low, high));
}

int32_t ClampBorderStyle(int64_t style) {
  return ClampInt(style, 0, 5);
}

void ApplyBorderStyle(HWND window, int32_t style) {
  LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
  LONG_PTR plainStyle = GetWindowLongPtrA(window, GWL_STYLE);
  exStyle &= ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE);
  plainStyle &= ~static_cast<LONG_PTR>(WS_BORDER);
  switch (ClampBorderStyle(style)) {
    case 1:
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case 2:
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case 3:
      exStyle |= WS_EX_STATICEDGE;
      break;
    case 4:
      exStyle |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
      break;
    case 5:
      plainStyle |= WS_BORDER;
      break;
    default:
      break;
  }
  SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle);
  SetWindowLongPtrA(window, GWL_STYLE, plainStyle);
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace mnemora
