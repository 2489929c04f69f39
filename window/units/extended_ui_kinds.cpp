#include "window/units/extended_ui_kinds.h"

#include <array>

namespace mnemora {

const UnitTypeDescriptor* ExtendedUiKinds() {
  static const std::array<UnitTypeDescriptor, kExtendedUiKindCount> table{};
  return table.data();
}

}  // namespace mnemora
