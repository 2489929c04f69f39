#include "tests/test_pictures.h"

#include <gtest/gtest.h>
#include <png.h>

#include <vector>

namespace mnemora::test_pictures {
namespace {

void Put16(Bytes& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(Bytes& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

void PutInfoHeader(Bytes& out, int width, int height, uint16_t bitCount, uint32_t colours) {
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, bitCount);
  Put32(out, 0);  // BI_RGB
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, colours);
  Put32(out, 0);
}

void PadRow(Bytes& out, size_t rowStart) {
  while ((out.size() - rowStart) % 4 != 0) {
    out.push_back(0);
  }
}

Bytes WritePng(png_image& image, const void* pixels) {
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0, nullptr));
  Bytes png(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, pixels, 0, nullptr));
  png.resize(size);
  return png;
}

// The icon directory for one image of data bytes at offset 22.
Bytes IconDirectory(int size, uint16_t bitCount, size_t dataSize) {
  Bytes out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, 1);  // one image
  out.push_back(static_cast<uint8_t>(size));
  out.push_back(static_cast<uint8_t>(size));
  out.push_back(0);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, bitCount);
  Put32(out, static_cast<uint32_t>(dataSize));
  Put32(out, 22);
  return out;
}

}  // namespace

uint32_t Argb(Rgba c) {
  return static_cast<uint32_t>(c.a) << 24 | static_cast<uint32_t>(c.r) << 16 |
         static_cast<uint32_t>(c.g) << 8 | c.b;
}

Bytes MakePng(int width, int height, const std::function<Rgba(int x, int y)>& pixel) {
  std::vector<Rgba> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.push_back(pixel(x, y));
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  return WritePng(image, pixels.data());
}

Bytes MakeBlackGreyPng(int width, int height) {
  const std::vector<uint8_t> pixels(static_cast<size_t>(width) * height, 0);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_GRAY;
  return WritePng(image, pixels.data());
}

Bytes MakeBmp24(int width, int height, const std::function<Rgba(int x, int y)>& pixel) {
  Bytes out{'B', 'M'};
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  Put32(out, static_cast<uint32_t>(54 + stride * height));
  Put32(out, 0);
  Put32(out, 54);
  PutInfoHeader(out, width, height, 24, 0);
  for (int y = height - 1; y >= 0; --y) {
    const size_t rowStart = out.size();
    for (int x = 0; x < width; ++x) {
      const Rgba c = pixel(x, y);
      out.insert(out.end(), {c.b, c.g, c.r});
    }
    PadRow(out, rowStart);
  }
  return out;
}

Bytes MakeBmp8(int width, int height, const std::vector<Rgba>& palette,
               const std::function<uint8_t(int x, int y)>& index) {
  Bytes out{'B', 'M'};
  const uint32_t offset = 54 + 4 * static_cast<uint32_t>(palette.size());
  const size_t stride = (static_cast<size_t>(width) + 3) / 4 * 4;
  Put32(out, static_cast<uint32_t>(offset + stride * height));
  Put32(out, 0);
  Put32(out, offset);
  PutInfoHeader(out, width, -height, 8, static_cast<uint32_t>(palette.size()));
  for (const Rgba& c : palette) {
    out.insert(out.end(), {c.b, c.g, c.r, 0});
  }
  for (int y = 0; y < height; ++y) {
    const size_t rowStart = out.size();
    for (int x = 0; x < width; ++x) {
      out.push_back(index(x, y));
    }
    PadRow(out, rowStart);
  }
  return out;
}

Bytes MakeIcon32(int size, const std::function<Rgba(int x, int y)>& pixel) {
  Bytes image;
  PutInfoHeader(image, size, size * 2, 32, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const Rgba c = pixel(x, y);
      image.insert(image.end(), {c.b, c.g, c.r, c.a});
    }
  }
  const size_t maskStride = (static_cast<size_t>(size) + 31) / 32 * 4;
  image.resize(image.size() + maskStride * size, 0);
  Bytes out = IconDirectory(size, 32, image.size());
  out.insert(out.end(), image.begin(), image.end());
  return out;
}

Bytes MakePngIcon(int size, const Bytes& png) {
  Bytes out = IconDirectory(size, 32, png.size());
  out.insert(out.end(), png.begin(), png.end());
  return out;
}

}  // namespace mnemora::test_pictures
