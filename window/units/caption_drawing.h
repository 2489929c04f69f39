// Caption drawing that the label and the transparent label share: the text
// format their alignments select and the three offset-copy effects.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace mnemora {

// Horizontal alignment 0 left, 1 centre, 2 right; vertical 0 top, 1 centre,
// 2 bottom (single-line only). Word wrap centres vertically instead.
UINT CaptionFormat(uint32_t horizontal, uint32_t vertical, bool wordWrap);

// Effects: 0 none, 1 sunken, 2 raised, 3 shadow.
inline constexpr uint32_t kMaxCaptionEffect = 3;

struct CaptionStyle {
  UINT format;
  uint32_t effect;
  COLORREF textColour;
  HFONT font;
};

// Draws text into area with a transparent background: the offset copy the
// effect asks for, then the caption itself in the text colour. Nothing for
// an empty text. The device context's state is restored afterwards.
void DrawCaption(HDC dc, const RECT& area, const std::string& text, const CaptionStyle& style);

// Saves a device context's state (selected objects, colours, modes) and
// restores it when it goes out of scope.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() {
    if (saved_ != 0) {
      RestoreDC(dc_, saved_);
    }
  }

 private:
  HDC dc_;
  int saved_;
};

}  // namespace mnemora
