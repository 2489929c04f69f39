#include "window/units/list_box_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

// The fields after the version, in stored order.
constexpr auto kListBoxFields = [](auto& f, auto& p) {
  f.Fields(p.borderStyle, p.autoSort, p.multiColumn, p.rowSpacing, p.textColour, p.backgroundColour,
           p.multipleSelection, p.currentSelection, p.font, p.itemData, p.items);
  f.FieldsSince(p.version, 2, p.dataSource, p.dataColumn);
  f.FieldsSince(p.version, 3, p.bindingOption);
};

}  // namespace

bool ReadListBoxBlock(const Bytes& block, ListBoxProperties* out) {
  return ReadVersionedBlock(block, kListBoxBlockVersion, out, kListBoxFields);
}

Bytes WriteListBoxBlock(const ListBoxProperties& properties) {
  return WriteVersionedBlock(properties, kListBoxFields);
}

}  // namespace mnemora
