// The button's property block: its fields, their defaults and
// the order they are stored in.
// Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#include "window/form_bytes.h"
#include "window/units/block_fields.h"

namespace mnemora {

inline constexpr uint32_t kButtonBlockVersion = 1;

// Every member has its default as initialiser, so a designated initialiser
// may name only the fields that differ.
struct ButtonProperties {
  uint32_t version = kButtonBlockVersion;
  uint32_t defaultButton = 0;
  uint32_t horizontalAlignment = 1;  // 0 left, 1 centre, 2 right
  uint32_t verticalAlignment = 1;    // 0 top, 1 centre, 2 bottom
  Bytes picture{};                   // an image file, or empty
  Bytes font{};                      // empty, or a 60-byte LOGFONTA
  std::string caption = "按钮";

  // The fields after the version, in stored order; p is a record of this
  // kind, const when writing.
  template <typename Fields, typename Self>
  static void VisitFields(Fields& f, Self& p) {
    f.Fields(p.defaultButton, p.horizontalAlignment, p.verticalAlignment, p.picture, p.font,
             p.caption);
  }

  bool operator==(const ButtonProperties&) const = default;
};

}  // namespace mnemora
