// The two help pictures the drawing panel shows over the annotation box:
// PNG files with 8-bit RGBA pixels. Constant data.
#pragma once

#include <cstdint>
#include <span>

namespace mnemora::app {

// 319 x 126: the layout of an instruction line and the two hot keys.
std::span<const uint8_t> FormatHelpPicture();

// 101 x 193: the list with its first item selected, and how to delete it.
std::span<const uint8_t> DeleteHelpPicture();

}  // namespace mnemora::app
