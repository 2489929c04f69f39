#include "app/embedded_skin.h"

#include <array>
#include <cstddef>

namespace mnemora::app {
namespace {

// The theme colours, 0x00BBGGRR, in the order the skin library reads them.
constexpr std::array<uint32_t, 6> kThemeColours = {
    0x00F4EDE6,  // window face
    0x00A05A2C,  // caption
    0x00FFFFFF,  // caption text
    0x00FAF7F4,  // edit and list background
    0x00332211,  // text
    0x00D6A070,  // selection
};
constexpr uint32_t kFormatVersion = 1;

struct SkinBlock {
  uint32_t one;
  uint32_t count;
  std::array<uint8_t, kEmbeddedSkinLength> bytes;
};

constexpr void PutWord(std::array<uint8_t, kEmbeddedSkinLength>& bytes, size_t at, uint32_t w) {
  for (size_t i = 0; i < 4; ++i) {
    bytes[at + i] = static_cast<uint8_t>(w >> (8 * i));
  }
}

constexpr SkinBlock MakeSkinBlock() {
  SkinBlock block{1, kEmbeddedSkinLength, {}};
  block.bytes[0] = '.';
  block.bytes[1] = 'S';
  block.bytes[2] = 'H';
  block.bytes[3] = 'E';
  PutWord(block.bytes, 4, kFormatVersion);
  PutWord(block.bytes, 8, static_cast<uint32_t>(kThemeColours.size()));
  for (size_t i = 0; i < kThemeColours.size(); ++i) {
    PutWord(block.bytes, 12 + 4 * i, kThemeColours[i]);
  }
  return block;
}

constexpr SkinBlock kSkinBlock = MakeSkinBlock();
static_assert(offsetof(SkinBlock, bytes) == 8, "the bytes follow the byte set's two words");

}  // namespace

const void* EmbeddedSkin() {
  return &kSkinBlock;
}

std::span<const uint8_t> EmbeddedSkinBytes() {
  return kSkinBlock.bytes;
}

}  // namespace mnemora::app
