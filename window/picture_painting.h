// Background pictures of units: the decoded form of a picture property kept
// between paints, and drawing it in one of the three display modes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "window/picture_decoding.h"

namespace mnemora {

namespace picture_mode {
inline constexpr int32_t kTopLeft = 0;  // once, at natural size
inline constexpr int32_t kTiled = 1;    // repeated from the top-left corner
inline constexpr int32_t kFitted = 2;   // centred; scaled down to fit, keeping proportions
}  // namespace picture_mode

// Decoded once per picture; composed again only when the background it is
// composed over changes.
class PictureCache {
 public:
  // Decodes the picture bytes; false, keeping nothing, when they do not
  // decode. Empty bytes are no picture and give false too.
  bool Reset(std::span<const uint8_t> bytes);
  void Clear();
  bool HasPicture() const { return image_.has_value(); }
  // The picture composed over the background; empty without a picture.
  const PictureBitmap& ComposedOver(COLORREF background);

 private:
  std::optional<DecodedImage> image_;
  PictureBitmap composed_;
  COLORREF composedOver_ = 0;
};

// Fills area with the background and draws the picture (when not empty) in
// the display mode; in the fitted mode, a picture larger than the area in
// either direction is scaled down by the smaller of the two ratios.
void PaintPicture(HDC dc, const RECT& area, const PictureBitmap& picture, int32_t mode,
                  COLORREF background);

}  // namespace mnemora
