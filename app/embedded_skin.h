// The skin block handed to the skin library. Free of <windows.h>.
#pragma once

#include <cstdint>
#include <span>

namespace mnemora::app {

inline constexpr uint32_t kEmbeddedSkinLength = 20275;

// The block as a constant byte set {1, byte count, bytes}; never freed.
const void* EmbeddedSkin();

// Its bytes: ".SHE", a format version, the theme colours, zero padding.
std::span<const uint8_t> EmbeddedSkinBytes();

}  // namespace mnemora::app
