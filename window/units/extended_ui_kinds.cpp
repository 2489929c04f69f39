#include "window/units/extended_ui_kinds.h"

#include <array>

#include "window/units/kind_table.h"
#include "window/units/transparent_label.h"

namespace mnemora {

const UnitTypeDescriptor* ExtendedUiKinds() {
  static const std::array<UnitTypeDescriptor, kExtendedUiKindCount> table =
      KindTable<kExtendedUiKindCount>({{5, &kTransparentLabelKindDescriptor}});
  return table.data();
}

}  // namespace mnemora
