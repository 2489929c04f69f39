#include "app/help_pictures.h"

namespace mnemora::app {
namespace {

// app/data/*.png, drawn by tools/draw-help-pictures.sh.
constexpr uint8_t kFormatHelpPng[] = {
#include "format_help.inc"
};

constexpr uint8_t kDeleteHelpPng[] = {
#include "delete_help.inc"
};

}  // namespace

std::span<const uint8_t> FormatHelpPicture() {
  return kFormatHelpPng;
}

std::span<const uint8_t> DeleteHelpPicture() {
  return kDeleteHelpPng;
}

}  // namespace mnemora::app
