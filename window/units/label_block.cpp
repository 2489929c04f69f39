#include "window/units/label_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

// The fields after the version, in stored order.
constexpr auto kLabelFields = [](auto& f, auto& p) {
  f.Fields(p.effect, p.frameWidth, p.borderStyle, p.frameColour1, p.frameColour2, p.frameColour3,
           p.textColour, p.backgroundColour, p.pictureMode, p.gradientMode, p.gradientColour1,
           p.gradientColour2, p.gradientColour3, p.horizontalAlignment, p.verticalAlignment,
           p.wordWrap, p.font, p.backgroundPicture, p.caption);
  f.FieldsSince(p.version, 2, p.dataSource, p.dataColumn);
};

}  // namespace

bool ReadLabelBlock(const Bytes& block, LabelProperties* out) {
  return ReadVersionedBlock(block, kLabelBlockVersion, out, kLabelFields);
}

Bytes WriteLabelBlock(const LabelProperties& properties) {
  return WriteVersionedBlock(properties, kLabelFields);
}

}  // namespace mnemora
