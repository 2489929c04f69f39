#include "window/units/button_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

template <typename Fields, typename Properties>
void VisitButtonFields(Fields& f, Properties& p) {
  f.Field(p.defaultButton);
  f.Field(p.horizontalAlignment);
  f.Field(p.verticalAlignment);
  f.Field(p.picture);
  f.Field(p.font);
  f.Field(p.caption);
}

}  // namespace

bool ReadButtonBlock(const Bytes& block, ButtonProperties* out) {
  return ReadVersionedBlock(block, kButtonBlockVersion, out,
                            [](auto& f, auto& p) { VisitButtonFields(f, p); });
}

Bytes WriteButtonBlock(const ButtonProperties& properties) {
  return WriteVersionedBlock(properties, [](auto& f, auto& p) { VisitButtonFields(f, p); });
}

}  // namespace mnemora
