#include "window/units/core_unit_kinds.h"

#include <array>

#include "window/units/button.h"
#include "window/units/draw_panel.h"
#include "window/units/edit_box.h"
#include "window/units/group_box.h"
#include "window/units/kind_table.h"
#include "window/units/label.h"
#include "window/units/list_box.h"
#include "window/units/window_kind.h"

namespace mnemora {

const UnitTypeDescriptor* CoreUnitKinds() {
  static const std::array<UnitTypeDescriptor, kCoreUnitKindCount> table =
      KindTable<kCoreUnitKindCount>({
          {1, &kWindowKindDescriptor},
          {5, &kEditBoxDescriptor},
          {8, &kDrawPanelKindDescriptor},
          {9, &kGroupBoxKindDescriptor},
          {10, &kLabelKindDescriptor},
          {11, &kButtonKindDescriptor},
          {15, &kListBoxDescriptor},
      });
  return table.data();
}

}  // namespace mnemora
