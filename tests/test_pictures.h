// Small image files made by the tests themselves: PNG through libpng's
// writer, BMP and icon files laid out byte by byte.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "window/form_description.h"

namespace mnemora::test_pictures {

struct Rgba {
  uint8_t r;
  uint8_t g;
  uint8_t b;
  uint8_t a;
};

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

// 0xAARRGGBB, as decoding gives it.
uint32_t Argb(Rgba c);

// An 8-bit RGBA PNG file.
Bytes MakePng(int width, int height, const std::function<Rgba(int x, int y)>& pixel);
// An 8-bit greyscale PNG file, every pixel 0.
Bytes MakeBlackGreyPng(int width, int height);

// A 24-bit bottom-up BMP file.
Bytes MakeBmp24(int width, int height, const std::function<Rgba(int x, int y)>& pixel);
// An 8-bit top-down BMP file with a colour table of its own.
Bytes MakeBmp8(int width, int height, const std::vector<Rgba>& palette,
               const std::function<uint8_t(int x, int y)>& index);

// An icon file holding one 32-bit image with straight alpha.
Bytes MakeIcon32(int size, const std::function<Rgba(int x, int y)>& pixel);
// An icon file whose one image is the given PNG file.
Bytes MakePngIcon(int size, const Bytes& png);

}  // namespace mnemora::test_pictures
