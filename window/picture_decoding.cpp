#include "window/picture_decoding.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "window/gdi_scopes.h"

namespace mnemora {
namespace {

// GDI coordinates are 16-bit in places; no side may be longer.
constexpr int64_t kMaxPictureSide = 32767;

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kBmpFileHeaderSize = 14;
constexpr size_t kIconDirectorySize = 6;
constexpr size_t kIconEntrySize = 16;

uint16_t Read16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

uint32_t Read32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

bool FitsLimits(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

bool StartsWith(std::span<const uint8_t> bytes, std::span<const uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

bool IsPng(std::span<const uint8_t> bytes) {
  return StartsWith(bytes, kPngSignature);
}

bool IsBmp(std::span<const uint8_t> bytes) {
  return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

// Frees what png_image_begin_read allocated; harmless after libpng freed it.
struct PngImageOwner {
  png_image* image;
  ~PngImageOwner() { png_image_free(image); }
};

// The simplified reader runs every libpng call under its own setjmp and
// turns a longjmp into a false result, so no C++ frame is ever jumped over.
std::optional<DecodedImage> DecodePng(std::span<const uint8_t> bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    return std::nullopt;
  }
  PngImageOwner owner{&image};
  if (!FitsLimits(image.width, image.height)) {
    return std::nullopt;
  }
  // Bytes B, G, R, A: 0xAARRGGBB as a little-endian dword.
  image.format = PNG_FORMAT_BGRA;
  DecodedImage decoded;
  decoded.width = static_cast<int>(image.width);
  decoded.height = static_cast<int>(image.height);
  decoded.pixels.resize(static_cast<size_t>(decoded.width) * static_cast<size_t>(decoded.height));
  if (!png_image_finish_read(&image, nullptr, decoded.pixels.data(), 0, nullptr)) {
    return std::nullopt;
  }
  return decoded;
}

// Where the parts of a packed DIB lie, checked against its own header.
struct DibLayout {
  int width = 0;
  int height = 0;               // of the picture: half the stored height for an icon
  uint64_t headerAndTable = 0;  // header, colour masks and colour table
  uint64_t pixelBytes = 0;      // colour bits, and the AND mask of an icon
};

// Nothing for a header the platform would have to guess about: an unknown
// size, compression or depth, a colour table larger than the depth allows,
// or a picture outside the limits.
std::optional<DibLayout> ReadDibLayout(std::span<const uint8_t> dib, bool withMask) {
  if (dib.size() < 4) {
    return std::nullopt;
  }
  const uint32_t headerSize = Read32(dib.data());
  int64_t width;
  int64_t height;
  uint16_t planes;
  uint16_t bitCount;
  uint32_t compression = BI_RGB;
  uint64_t tableBytes;
  if (headerSize == sizeof(BITMAPCOREHEADER)) {
    if (dib.size() < headerSize) {
      return std::nullopt;
    }
    width = Read16(dib.data() + 4);
    height = Read16(dib.data() + 6);
    planes = Read16(dib.data() + 8);
    bitCount = Read16(dib.data() + 10);
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) {
      return std::nullopt;
    }
    tableBytes = bitCount <= 8 ? 3u << bitCount : 0;
  } else if (headerSize == sizeof(BITMAPINFOHEADER) || headerSize == 52 || headerSize == 56 ||
             headerSize == sizeof(BITMAPV4HEADER) || headerSize == sizeof(BITMAPV5HEADER)) {
    if (dib.size() < headerSize) {
      return std::nullopt;
    }
    width = static_cast<int32_t>(Read32(dib.data() + 4));
    height = static_cast<int32_t>(Read32(dib.data() + 8));
    planes = Read16(dib.data() + 12);
    bitCount = Read16(dib.data() + 14);
    compression = Read32(dib.data() + 16);
    const uint32_t coloursUsed = Read32(dib.data() + 32);
    const bool bitfields = compression == BI_BITFIELDS && (bitCount == 16 || bitCount == 32);
    if (compression != BI_RGB && !bitfields) {
      return std::nullopt;
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32) {
      return std::nullopt;
    }
    const uint32_t mostColours = bitCount <= 8 ? 1u << bitCount : 256;
    if (coloursUsed > mostColours) {
      return std::nullopt;
    }
    const uint32_t colours = coloursUsed != 0 ? coloursUsed : (bitCount <= 8 ? mostColours : 0);
    // The three masks follow a plain info header; the later headers hold them.
    const uint64_t maskBytes = bitfields && headerSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    tableBytes = maskBytes + 4ull * colours;
  } else {
    return std::nullopt;
  }
  // Icons are stored bottom-up with the AND mask below the colour bits.
  if (planes != 1 || (withMask && (height <= 0 || height % 2 != 0))) {
    return std::nullopt;
  }
  const int64_t pictureHeight = withMask ? height / 2 : std::abs(height);
  if (!FitsLimits(width, pictureHeight)) {
    return std::nullopt;
  }
  const auto rows = static_cast<uint64_t>(pictureHeight);
  const uint64_t stride = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
  const uint64_t maskStride = (static_cast<uint64_t>(width) + 31) / 32 * 4;
  DibLayout layout;
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(pictureHeight);
  layout.headerAndTable = headerSize + tableBytes;
  layout.pixelBytes = stride * rows + (withMask ? maskStride * rows : 0);
  return layout;
}

// The platform converts every accepted depth into the 32-bit target.
std::optional<DecodedImage> DecodeBmp(std::span<const uint8_t> bytes) {
  if (bytes.size() < kBmpFileHeaderSize) {
    return std::nullopt;
  }
  const std::span<const uint8_t> dib = bytes.subspan(kBmpFileHeaderSize);
  const std::optional<DibLayout> layout = ReadDibLayout(dib, false);
  const uint64_t pixelOffset = Read32(bytes.data() + 10);
  if (!layout || pixelOffset < kBmpFileHeaderSize + layout->headerAndTable ||
      pixelOffset > bytes.size() || bytes.size() - pixelOffset < layout->pixelBytes) {
    return std::nullopt;
  }
  PictureBitmap target = PictureBitmap::Create(layout->width, layout->height);
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!target || !dc ||
      SetDIBits(dc.Get(), target.Handle(), 0, static_cast<UINT>(layout->height),
                bytes.data() + pixelOffset, reinterpret_cast<const BITMAPINFO*>(dib.data()),
                DIB_RGB_COLORS) == 0) {
    return std::nullopt;
  }
  GdiFlush();
  DecodedImage decoded;
  decoded.width = layout->width;
  decoded.height = layout->height;
  decoded.pixels.assign(target.Pixels(),
                        target.Pixels() + static_cast<size_t>(decoded.width) * decoded.height);
  for (uint32_t& pixel : decoded.pixels) {
    pixel |= 0xFF000000;
  }
  return decoded;
}

// An icon drawn once on black and once on white: the difference gives the
// coverage, the drawing on black the premultiplied colour. Works the same
// for every kind of icon image the platform can draw.
std::optional<DecodedImage> DecodeIcon(std::span<const uint8_t> bytes) {
  UniqueIcon icon = MakePictureIcon(bytes, 0);
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon.Get(), &info)) {
    return std::nullopt;
  }
  UniqueBitmap colourBits(info.hbmColor);
  UniqueBitmap maskBits(info.hbmMask);
  BITMAP size{};
  const bool monochrome = !colourBits;
  if (GetObjectA(monochrome ? maskBits.Get() : colourBits.Get(), sizeof size, &size) == 0) {
    return std::nullopt;
  }
  const int width = size.bmWidth;
  const int height = monochrome ? size.bmHeight / 2 : size.bmHeight;
  PictureBitmap onBlack = PictureBitmap::Create(width, height);
  PictureBitmap onWhite = PictureBitmap::Create(width, height);
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!onBlack || !onWhite || !dc) {
    return std::nullopt;
  }
  const size_t count = static_cast<size_t>(width) * height;
  std::fill(onBlack.Pixels(), onBlack.Pixels() + count, 0x00000000u);
  std::fill(onWhite.Pixels(), onWhite.Pixels() + count, 0x00FFFFFFu);
  for (const PictureBitmap* target : {&onBlack, &onWhite}) {
    ScopedSelection selected(dc.Get(), target->Handle());
    DrawIconEx(dc.Get(), 0, 0, icon.Get(), width, height, 0, nullptr, DI_NORMAL);
  }
  GdiFlush();
  DecodedImage decoded;
  decoded.width = width;
  decoded.height = height;
  decoded.pixels.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const uint32_t black = onBlack.Pixels()[i];
    const uint32_t white = onWhite.Pixels()[i];
    uint32_t pixel = 0;
    int coverage = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      coverage += 255 - (static_cast<int>((white >> shift) & 0xFF) -
                         static_cast<int>((black >> shift) & 0xFF));
    }
    // Inverting pixels make white darker than black; they count as opaque.
    const int alpha = std::clamp((coverage + 1) / 3, 0, 255);
    for (int shift = 0; alpha != 0 && shift < 24; shift += 8) {
      const int premultiplied = static_cast<int>((black >> shift) & 0xFF);
      pixel |= static_cast<uint32_t>(std::min(255, (premultiplied * 255 + alpha / 2) / alpha))
               << shift;
    }
    decoded.pixels[i] = pixel | static_cast<uint32_t>(alpha) << 24;
  }
  return decoded;
}

// An icon from decoded pixels: a 32-bit colour bitmap with its alpha and an
// empty AND mask.
UniqueIcon IconFromImage(const DecodedImage& image) {
  PictureBitmap colour = PictureBitmap::Create(image.width, image.height);
  UniqueBitmap mask(CreateBitmap(image.width, image.height, 1, 1, nullptr));
  if (!colour || !mask) {
    return UniqueIcon();
  }
  std::copy(image.pixels.begin(), image.pixels.end(), colour.Pixels());
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour.Handle();
  info.hbmMask = mask.Get();
  return UniqueIcon(CreateIconIndirect(&info));
}

}  // namespace

std::optional<DecodedImage> DecodeImage(std::span<const uint8_t> bytes) {
  if (IsPng(bytes)) {
    return DecodePng(bytes);
  }
  if (IsBmp(bytes)) {
    return DecodeBmp(bytes);
  }
  if (IsIconFile(bytes)) {
    return DecodeIcon(bytes);
  }
  return std::nullopt;
}

PictureBitmap PictureBitmap::Create(int width, int height) {
  PictureBitmap picture;
  if (!FitsLimits(width, height)) {
    return picture;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  picture.bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (picture.bitmap_) {
    picture.bits_ = static_cast<uint32_t*>(bits);
    picture.width_ = width;
    picture.height_ = height;
  }
  return picture;
}

PictureBitmap ComposeOverBackground(const DecodedImage& image, COLORREF background) {
  PictureBitmap picture = PictureBitmap::Create(image.width, image.height);
  if (!picture) {
    return picture;
  }
  const uint32_t under[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
  uint32_t* out = picture.Pixels();
  for (uint32_t pixel : image.pixels) {
    const uint32_t alpha = pixel >> 24;
    uint32_t composed = 0xFF000000;
    for (int channel = 0; channel < 3; ++channel) {
      const uint32_t over = (pixel >> (8 * channel)) & 0xFF;
      composed |= (over * alpha + under[channel] * (255 - alpha) + 127) / 255 << (8 * channel);
    }
    *out++ = composed;
  }
  return picture;
}

PictureBitmap DecodePicture(std::span<const uint8_t> bytes, COLORREF background) {
  const std::optional<DecodedImage> image = DecodeImage(bytes);
  return image ? ComposeOverBackground(*image, background) : PictureBitmap();
}

bool IsIconFile(std::span<const uint8_t> bytes) {
  return bytes.size() >= kIconDirectorySize && Read16(bytes.data()) == 0 &&
         (Read16(bytes.data() + 2) == 1 || Read16(bytes.data() + 2) == 2);
}

UniqueIcon MakePictureIcon(std::span<const uint8_t> bytes, int preferredSize) {
  if (!IsIconFile(bytes)) {
    return UniqueIcon();
  }
  const size_t count = Read16(bytes.data() + 4);
  if (count == 0 || bytes.size() < kIconDirectorySize + count * kIconEntrySize) {
    return UniqueIcon();
  }
  // A width byte of 0 means 256. Ties go to the deeper colour (the field is
  // a hot spot in cursor files; there the first entry wins).
  const uint8_t* best = nullptr;
  int bestDistance = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = bytes.data() + kIconDirectorySize + i * kIconEntrySize;
    const int width = entry[0] != 0 ? entry[0] : 256;
    const int distance = preferredSize > 0 ? std::abs(width - preferredSize) : -width;
    if (best == nullptr || distance < bestDistance ||
        (distance == bestDistance && Read16(entry + 6) > Read16(best + 6))) {
      best = entry;
      bestDistance = distance;
    }
  }
  const uint64_t length = Read32(best + 8);
  const uint64_t offset = Read32(best + 12);
  if (offset > bytes.size() || bytes.size() - offset < length) {
    return UniqueIcon();
  }
  const std::span<const uint8_t> image = bytes.subspan(offset, length);
  if (IsPng(image)) {
    const std::optional<DecodedImage> decoded = DecodePng(image);
    return decoded ? IconFromImage(*decoded) : UniqueIcon();
  }
  const std::optional<DibLayout> layout = ReadDibLayout(image, true);
  if (!layout || layout->headerAndTable > image.size() ||
      image.size() - layout->headerAndTable < layout->pixelBytes) {
    return UniqueIcon();
  }
  return UniqueIcon(CreateIconFromResourceEx(const_cast<uint8_t*>(image.data()),
                                             static_cast<DWORD>(image.size()), TRUE, 0x00030000, 0,
                                             0, LR_DEFAULTCOLOR));
}

}  // namespace mnemora
