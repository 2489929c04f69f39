#include "window/picture_painting.h"

#include <algorithm>

#include "window/gdi_scopes.h"

namespace mnemora {
namespace {

int WidthOf(const RECT& r) {
  return r.right - r.left;
}

int HeightOf(const RECT& r) {
  return r.bottom - r.top;
}

// Centred in area at natural size, or scaled down by the smaller ratio.
RECT FittedRect(const RECT& area, int width, int height) {
  const int64_t areaWidth = WidthOf(area);
  const int64_t areaHeight = HeightOf(area);
  int64_t drawnWidth = width;
  int64_t drawnHeight = height;
  if (width > areaWidth || height > areaHeight) {
    // areaWidth / width <= areaHeight / height, without division.
    if (areaWidth * height <= areaHeight * width) {
      drawnWidth = areaWidth;
      drawnHeight = std::max<int64_t>(1, (height * areaWidth + width / 2) / width);
    } else {
      drawnHeight = areaHeight;
      drawnWidth = std::max<int64_t>(1, (width * areaHeight + height / 2) / height);
    }
  }
  const auto left = static_cast<int>(area.left + (areaWidth - drawnWidth) / 2);
  const auto top = static_cast<int>(area.top + (areaHeight - drawnHeight) / 2);
  return RECT{left, top, left + static_cast<int>(drawnWidth), top + static_cast<int>(drawnHeight)};
}

// Fills what the picture at inner leaves of outer.
void FillAround(HDC dc, const RECT& outer, const RECT& inner, HBRUSH brush) {
  RECT covered;
  if (!IntersectRect(&covered, &outer, &inner)) {
    FillRect(dc, &outer, brush);
    return;
  }
  const RECT bands[] = {
      {outer.left, outer.top, outer.right, covered.top},
      {outer.left, covered.bottom, outer.right, outer.bottom},
      {outer.left, covered.top, covered.left, covered.bottom},
      {covered.right, covered.top, outer.right, covered.bottom},
  };
  for (const RECT& band : bands) {
    if (!IsRectEmpty(&band)) {
      FillRect(dc, &band, brush);
    }
  }
}

// A pattern brush of any size repeats the picture in one fill; the brush
// origin is in device units.
void Tile(HDC dc, const RECT& area, const PictureBitmap& picture) {
  UniqueBrush brush(CreatePatternBrush(picture.Handle()));
  POINT origin{area.left, area.top};
  LPtoDP(dc, &origin, 1);
  POINT previous;
  SetBrushOrgEx(dc, origin.x, origin.y, &previous);
  FillRect(dc, &area, brush.Get());
  SetBrushOrgEx(dc, previous.x, previous.y, nullptr);
}

// Draws the picture stretched to at, keeping inside area: a DC without
// clipping (a print into a bitmap) would take what spills over.
void Draw(HDC dc, const RECT& area, const RECT& at, const PictureBitmap& picture) {
  UniqueMemoryDc source(CreateCompatibleDC(dc));
  ScopedSelection selected(source.Get(), picture.Handle());
  if (WidthOf(at) == picture.Width() && HeightOf(at) == picture.Height()) {
    RECT shown;
    if (IntersectRect(&shown, &area, &at)) {
      BitBlt(dc, shown.left, shown.top, WidthOf(shown), HeightOf(shown), source.Get(),
             shown.left - at.left, shown.top - at.top, SRCCOPY);
    }
    return;
  }
  // Averaging keeps thin lines of a scaled-down help picture readable.
  const int previousMode = SetStretchBltMode(dc, HALFTONE);
  POINT previousOrigin;
  SetBrushOrgEx(dc, 0, 0, &previousOrigin);
  StretchBlt(dc, at.left, at.top, WidthOf(at), HeightOf(at), source.Get(), 0, 0, picture.Width(),
             picture.Height(), SRCCOPY);
  SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
  SetStretchBltMode(dc, previousMode);
}

}  // namespace

bool PictureCache::Reset(std::span<const uint8_t> bytes) {
  Clear();
  image_ = DecodeImage(bytes);
  return image_.has_value();
}

void PictureCache::Clear() {
  image_.reset();
  composed_ = PictureBitmap();
}

const PictureBitmap& PictureCache::ComposedOver(COLORREF background) {
  if (image_ && (!composed_ || composedOver_ != background)) {
    composed_ = ComposeOverBackground(*image_, background);
    composedOver_ = background;
  }
  return composed_;
}

void PaintPicture(HDC dc, const RECT& area, const PictureBitmap& picture, int32_t mode,
                  COLORREF background) {
  UniqueBrush brush(CreateSolidBrush(background));
  const auto fill = brush.Get();
  if (!picture || IsRectEmpty(&area)) {
    FillRect(dc, &area, fill);
    return;
  }
  switch (mode) {
    case picture_mode::kTiled:
      Tile(dc, area, picture);
      return;
    case picture_mode::kFitted: {
      const RECT at = FittedRect(area, picture.Width(), picture.Height());
      Draw(dc, area, at, picture);
      FillAround(dc, area, at, fill);
      return;
    }
    default: {
      const RECT at{area.left, area.top, area.left + picture.Width(), area.top + picture.Height()};
      Draw(dc, area, at, picture);
      FillAround(dc, area, at, fill);
      return;
    }
  }
}

}  // namespace mnemora
