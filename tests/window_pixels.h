// A window's pixels read back as COLORREF values (0x00BBGGRR), so that they
// compare with RGB() and GetSysColor, and the queries pixel tests make.
#pragma once

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace mnemora::bench {

// A colour no unit paints: what unpainted pixels of a print show.
inline constexpr COLORREF kUnpainted = RGB(0x12, 0x34, 0x56);

// Rows from the top.
class Pixels {
 public:
  Pixels(int width, int height, std::vector<COLORREF> values)
      : width_(width), height_(height), values_(std::move(values)) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT All() const { return RECT{0, 0, width_, height_}; }
  COLORREF At(int x, int y) const { return values_[static_cast<size_t>(y) * width_ + x]; }
  bool operator==(const Pixels&) const = default;

  int Count(const RECT& area, COLORREF colour) const;
  // Bounding box of the pixels in area that pass the test; empty when none.
  template <typename Test>
  RECT BoundsOf(const RECT& area, Test test) const {
    RECT b{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        if (test(At(x, y))) {
          b = RECT{std::min<LONG>(b.left, x), std::min<LONG>(b.top, y),
                   std::max<LONG>(b.right, x + 1), std::max<LONG>(b.bottom, y + 1)};
        }
      }
    }
    return b.left == INT_MAX ? RECT{} : b;
  }

 private:
  int width_;
  int height_;
  std::vector<COLORREF> values_;
};

// A decoded picture's 0xAARRGGBB pixel as the colour it shows, alpha dropped.
COLORREF ColourOfArgb(uint32_t argb);

// The client area painted through WM_PRINTCLIENT into a bitmap first
// filled with fill.
Pixels PrintClient(HWND window, COLORREF fill = kUnpainted);
// A bitmap's own pixels.
Pixels BitmapPixels(HBITMAP bitmap);
// What the screen shows of the client area, children included, once every
// pending paint is done (the window must be shown).
Pixels ScreenPixels(HWND window);

}  // namespace mnemora::bench
