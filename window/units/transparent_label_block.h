// The transparent label's property block: its fields, defaults and byte
// codec. Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#include "window/form_bytes.h"
#include "window/units/block_fields.h"

namespace mnemora {

inline constexpr uint32_t kTransparentLabelBlockVersion = 1;

// Every member has its default as initialiser, so a designated initialiser
// may name only the fields that differ.
struct TransparentLabelProperties {
  uint32_t version = kTransparentLabelBlockVersion;
  uint32_t effect = 0;  // 0 none, 1 sunken, 2 raised, 3 shadow
  uint32_t textColour = 0;
  uint32_t horizontalAlignment = 0;  // 0 left, 1 centre, 2 right
  uint32_t verticalAlignment = 1;    // 0 top, 1 centre, 2 bottom
  uint32_t multiLine = 0;
  Bytes font{};  // empty, or a 60-byte LOGFONTA
  std::string caption = "透明标签";

  // The fields after the version, in stored order; p is a record of this
  // kind, const when writing.
  template <typename Fields, typename Self>
  static void VisitFields(Fields& f, Self& p) {
    f.Fields(p.effect, p.textColour, p.horizontalAlignment, p.verticalAlignment, p.multiLine,
             p.font, p.caption);
  }

  bool operator==(const TransparentLabelProperties&) const = default;
};

}  // namespace mnemora
