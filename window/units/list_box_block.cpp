#include "window/units/list_box_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

template <typename Fields, typename Properties>
void VisitListBoxFields(Fields& f, Properties& p) {
  f.Field(p.borderStyle);
  f.Field(p.autoSort);
  f.Field(p.multiColumn);
  f.Field(p.rowSpacing);
  f.Field(p.textColour);
  f.Field(p.backgroundColour);
  f.Field(p.multipleSelection);
  f.Field(p.currentSelection);
  f.Field(p.font);
  f.Field(p.itemData);
  f.Field(p.items);
  if (p.version >= 2) {
    f.Field(p.dataSource);
    f.Field(p.dataColumn);
  }
  if (p.version >= 3) {
    f.Field(p.bindingOption);
  }
}

}  // namespace

bool ReadListBoxBlock(const Bytes& block, ListBoxProperties* out) {
  return ReadVersionedBlock(block, kListBoxBlockVersion, out,
                            [](auto& f, auto& p) { VisitListBoxFields(f, p); });
}

Bytes WriteListBoxBlock(const ListBoxProperties& properties) {
  return WriteVersionedBlock(properties, [](auto& f, auto& p) { VisitListBoxFields(f, p); });
}

}  // namespace mnemora
