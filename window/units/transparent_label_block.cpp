#include "window/units/transparent_label_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

template <typename Fields, typename Properties>
void VisitTransparentLabelFields(Fields& f, Properties& p) {
  f.Field(p.effect);
  f.Field(p.textColour);
  f.Field(p.horizontalAlignment);
  f.Field(p.verticalAlignment);
  f.Field(p.multiLine);
  f.Field(p.font);
  f.Field(p.caption);
}

}  // namespace

bool ReadTransparentLabelBlock(const Bytes& block, TransparentLabelProperties* out) {
  return ReadVersionedBlock(block, kTransparentLabelBlockVersion, out,
                            [](auto& f, auto& p) { VisitTransparentLabelFields(f, p); });
}

Bytes WriteTransparentLabelBlock(const TransparentLabelProperties& properties) {
  return WriteVersionedBlock(properties,
                             [](auto& f, auto& p) { VisitTransparentLabelFields(f, p); });
}

}  // namespace mnemora
