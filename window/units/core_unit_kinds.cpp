#include "window/units/core_unit_kinds.h"

#include <array>

#include "window/units/button.h"
#include "window/units/draw_panel.h"
#include "window/units/edit_box.h"
#include "window/units/group_box.h"
#include "window/units/label.h"
#include "window/units/list_box.h"
#include "window/units/window_kind.h"

namespace mnemora {
namespace {

std::array<UnitTypeDescriptor, kCoreUnitKindCount> MakeTable() {
  std::array<UnitTypeDescriptor, kCoreUnitKindCount> table{};
  table[0] = kWindowKindDescriptor;     // 1: window
  table[4] = kEditBoxDescriptor;        // 5: edit box
  table[7] = kDrawPanelKindDescriptor;  // 8: drawing panel
  table[8] = kGroupBoxKindDescriptor;   // 9: group box
  table[9] = kLabelKindDescriptor;      // 10: label
  table[10] = kButtonKindDescriptor;    // 11: button
  table[14] = kListBoxDescriptor;       // 15: list box
  return table;
}

}  // namespace

const UnitTypeDescriptor* CoreUnitKinds() {
  static const std::array<UnitTypeDescriptor, kCoreUnitKindCount> table = MakeTable();
  return table.data();
}

}  // namespace mnemora
