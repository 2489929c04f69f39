// The list box's property block: its fields, their defaults and
// the order they are stored in.
// Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "window/form_bytes.h"
#include "window/units/block_fields.h"

namespace mnemora {

inline constexpr uint32_t kListBoxBlockVersion = 3;

// Every member has its default as initialiser, so a designated initialiser
// may name only the fields that differ.
struct ListBoxProperties {
  uint32_t version = kListBoxBlockVersion;
  uint32_t borderStyle = 1;
  uint32_t autoSort = 0;
  uint32_t multiColumn = 0;
  uint32_t rowSpacing = 1;  // pixels added to the item height
  uint32_t textColour = 0;
  uint32_t backgroundColour = 0x00FFFFFF;
  uint32_t multipleSelection = 0;
  int32_t currentSelection = -1;  // 0-based, -1 none
  Bytes font{};                   // empty, or a 60-byte LOGFONTA
  Bytes itemData{};               // one dword per item, for the first items
  std::vector<std::string> items{};
  std::string dataSource{};    // version 2 on
  std::string dataColumn{};    // version 2 on
  uint32_t bindingOption = 0;  // version 3 on

  // The fields after the version, in stored order; p is a record of this
  // kind, const when writing.
  template <typename Fields, typename Self>
  static void VisitFields(Fields& f, Self& p) {
    f.Fields(p.borderStyle, p.autoSort, p.multiColumn, p.rowSpacing, p.textColour,
             p.backgroundColour, p.multipleSelection, p.currentSelection, p.font, p.itemData,
             p.items);
    f.FieldsSince(p.version, 2, p.dataSource, p.dataColumn);
    f.FieldsSince(p.version, 3, p.bindingOption);
  }

  bool operator==(const ListBoxProperties&) const = default;
};

}  // namespace mnemora
