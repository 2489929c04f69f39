#include "window/units/transparent_label_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

// The fields after the version, in stored order.
constexpr auto kTransparentLabelFields = [](auto& f, auto& p) {
  f.Fields(p.effect, p.textColour, p.horizontalAlignment, p.verticalAlignment, p.multiLine, p.font,
           p.caption);
};

}  // namespace

bool ReadTransparentLabelBlock(const Bytes& block, TransparentLabelProperties* out) {
  return ReadVersionedBlock(block, kTransparentLabelBlockVersion, out, kTransparentLabelFields);
}

Bytes WriteTransparentLabelBlock(const TransparentLabelProperties& properties) {
  return WriteVersionedBlock(properties, kTransparentLabelFields);
}

}  // namespace mnemora
