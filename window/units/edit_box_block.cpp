#include "window/units/edit_box_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

template <typename Fields, typename Properties>
void VisitEditBoxFields(Fields& f, Properties& p) {
  f.Field(p.borderStyle);
  f.Field(p.textColour);
  f.Field(p.backgroundColour);
  f.Field(p.hideSelection);
  f.Field(p.maxLength);
  f.Field(p.multiLine);
  f.Field(p.scrollBars);
  f.Field(p.alignment);
  f.Field(p.inputMode);
  f.Field(p.passwordCharacter);
  f.Field(p.caseConversion);
  f.Field(p.adjusterMode);
  f.Field(p.adjusterMinimum);
  f.Field(p.adjusterMaximum);
  f.Field(p.selectionStart);
  f.Field(p.selectionLength);
  f.Field(p.font);
  f.Field(p.content);
  if (p.version >= 2) {
    f.Field(p.dataSource);
    f.Field(p.dataColumn);
  }
}

}  // namespace

bool ReadEditBoxBlock(const Bytes& block, EditBoxProperties* out) {
  return ReadVersionedBlock(block, kEditBoxBlockVersion, out,
                            [](auto& f, auto& p) { VisitEditBoxFields(f, p); });
}

Bytes WriteEditBoxBlock(const EditBoxProperties& properties) {
  return WriteVersionedBlock(properties, [](auto& f, auto& p) { VisitEditBoxFields(f, p); });
}

}  // namespace mnemora
