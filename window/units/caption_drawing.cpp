#include "window/units/caption_drawing.h"

namespace mnemora {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

void DrawAt(HDC dc, RECT area, int offset, const std::string& text, UINT format, COLORREF colour) {
  OffsetRect(&area, offset, offset);
  SetTextColor(dc, colour);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
}

}  // namespace

UINT CaptionFormat(uint32_t horizontal, uint32_t vertical, bool wordWrap) {
  UINT format = DT_NOCLIP;
  if (horizontal == 1) {
    format |= DT_CENTER;
  } else if (horizontal == 2) {
    format |= DT_RIGHT;
  }
  if (wordWrap) {
    return format | DT_WORDBREAK | DT_VCENTER;
  }
  format |= DT_SINGLELINE;
  if (vertical == 1) {
    format |= DT_VCENTER;
  } else if (vertical == 2) {
    format |= DT_BOTTOM;
  }
  return format;
}

void DrawCaption(HDC dc, const RECT& area, const std::string& text, const CaptionStyle& style) {
  if (text.empty()) {
    return;
  }
  SavedDcState saved(dc);
  SelectObject(dc, style.font);
  SetBkMode(dc, TRANSPARENT);
  switch (style.effect) {
    case 1:  // sunken: a light copy below and to the right
      DrawAt(dc, area, 1, text, style.format, kWhite);
      DrawAt(dc, area, 0, text, style.format, style.textColour);
      break;
    case 2:  // raised: the light copy in place, the caption moved
      DrawAt(dc, area, 0, text, style.format, kWhite);
      DrawAt(dc, area, 1, text, style.format, style.textColour);
      break;
    case 3:  // shadow
      DrawAt(dc, area, 2, text, style.format, kBlack);
      DrawAt(dc, area, 0, text, style.format, style.textColour);
      break;
    default:
      DrawAt(dc, area, 0, text, style.format, style.textColour);
      break;
  }
}

}  // namespace mnemora
