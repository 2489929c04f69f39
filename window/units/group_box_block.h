// The group box's property block: its fields, their defaults and
// the order they are stored in.
// Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#include "window/form_bytes.h"
#include "window/units/block_fields.h"

namespace mnemora {

inline constexpr uint32_t kGroupBoxBlockVersion = 1;

// Every member has its default as initialiser, so a designated initialiser
// may name only the fields that differ.
struct GroupBoxProperties {
  uint32_t version = kGroupBoxBlockVersion;
  uint32_t alignment = 0;  // 0 left, 1 centre, 2 right
  uint32_t textColour = 0;
  uint32_t backgroundColour = 0xFF000000;
  Bytes font{};  // empty, or a 60-byte LOGFONTA
  std::string caption{};

  // The fields after the version, in stored order; p is a record of this
  // kind, const when writing.
  template <typename Fields, typename Self>
  static void VisitFields(Fields& f, Self& p) {
    f.Fields(p.alignment, p.textColour, p.backgroundColour, p.font, p.caption);
  }

  bool operator==(const GroupBoxProperties&) const = default;
};

}  // namespace mnemora
