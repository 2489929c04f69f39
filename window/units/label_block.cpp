#include "window/units/label_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

template <typename Fields, typename Properties>
void VisitLabelFields(Fields& f, Properties& p) {
  f.Field(p.effect);
  f.Field(p.frameWidth);
  f.Field(p.borderStyle);
  f.Field(p.frameColour1);
  f.Field(p.frameColour2);
  f.Field(p.frameColour3);
  f.Field(p.textColour);
  f.Field(p.backgroundColour);
  f.Field(p.pictureMode);
  f.Field(p.gradientMode);
  f.Field(p.gradientColour1);
  f.Field(p.gradientColour2);
  f.Field(p.gradientColour3);
  f.Field(p.horizontalAlignment);
  f.Field(p.verticalAlignment);
  f.Field(p.wordWrap);
  f.Field(p.font);
  f.Field(p.backgroundPicture);
  f.Field(p.caption);
  if (p.version >= 2) {
    f.Field(p.dataSource);
    f.Field(p.dataColumn);
  }
}

}  // namespace

bool ReadLabelBlock(const Bytes& block, LabelProperties* out) {
  return ReadVersionedBlock(block, kLabelBlockVersion, out,
                            [](auto& f, auto& p) { VisitLabelFields(f, p); });
}

Bytes WriteLabelBlock(const LabelProperties& properties) {
  return WriteVersionedBlock(properties, [](auto& f, auto& p) { VisitLabelFields(f, p); });
}

}  // namespace mnemora
