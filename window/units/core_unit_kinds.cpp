#include "window/units/core_unit_kinds.h"

#include <array>

#include "window/units/window_kind.h"

namespace mnemora {
namespace {

std::array<UnitTypeDescriptor, kCoreUnitKindCount> MakeTable() {
  std::array<UnitTypeDescriptor, kCoreUnitKindCount> table{};
  table[0] = kWindowKindDescriptor;  // 1: window
  return table;
}

}  // namespace

const UnitTypeDescriptor* CoreUnitKinds() {
  static const std::array<UnitTypeDescriptor, kCoreUnitKindCount> table = MakeTable();
  return table.data();
}

}  // namespace mnemora
