#include "window/units/extended_ui_kinds.h"

#include <array>

#include "window/units/transparent_label.h"

namespace mnemora {
namespace {

std::array<UnitTypeDescriptor, kExtendedUiKindCount> MakeTable() {
  std::array<UnitTypeDescriptor, kExtendedUiKindCount> table{};
  table[4] = kTransparentLabelKindDescriptor;  // 5: transparent label
  return table;
}

}  // namespace

const UnitTypeDescriptor* ExtendedUiKinds() {
  static const std::array<UnitTypeDescriptor, kExtendedUiKindCount> table = MakeTable();
  return table.data();
}

}  // namespace mnemora
