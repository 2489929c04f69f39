// Pictures stored as whole image files (a unit's picture property), decoded
// for painting. Accepted: PNG (any colour type and depth, through libpng),
// uncompressed BMP (1, 4, 8, 16, 24 and 32 bits, BI_RGB or BI_BITFIELDS;
// drawn opaque), and icon and cursor files (through the platform). Anything
// else, damaged data, or a picture above kMaxPicturePixels does not decode.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "runtime/win_handles.h"

namespace mnemora {

// Larger pictures are refused rather than allocated (64 MB of pixels).
inline constexpr int64_t kMaxPicturePixels = 16 * 1024 * 1024;

// Decoded pixels with straight (not premultiplied) alpha, 0xAARRGGBB, rows
// from the top.
struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// The image held by the bytes, or nothing when they do not decode.
std::optional<DecodedImage> DecodeImage(std::span<const uint8_t> bytes);

// An opaque 32-bit top-down DIB section. Empty when nothing was decoded.
class PictureBitmap {
 public:
  PictureBitmap() = default;
  // A width x height bitmap of undefined content, or an empty one when the
  // platform refuses it.
  static PictureBitmap Create(int width, int height);

  explicit operator bool() const { return static_cast<bool>(bitmap_); }
  HBITMAP Handle() const { return bitmap_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // width x height pixels 0x00RRGGBB (the top byte is 0xFF), rows from the
  // top; the bitmap must not be selected into a DC while they are written.
  uint32_t* Pixels() const { return bits_; }

 private:
  UniqueBitmap bitmap_;
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// The image composed over the background colour.
PictureBitmap ComposeOverBackground(const DecodedImage& image, COLORREF background);

// DecodeImage, then ComposeOverBackground; empty when the bytes do not decode.
PictureBitmap DecodePicture(std::span<const uint8_t> bytes, COLORREF background);

// Whether the bytes start as an icon or cursor file does.
bool IsIconFile(std::span<const uint8_t> bytes);

// The icon of an icon or cursor file, from the image nearest to
// preferredSize pixels wide (the largest one for 0); null when the bytes
// are not such a file or its image does not decode.
UniqueIcon MakePictureIcon(std::span<const uint8_t> bytes, int preferredSize);

}  // namespace mnemora
