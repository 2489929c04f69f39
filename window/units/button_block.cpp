#include "window/units/button_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

// The fields after the version, in stored order.
constexpr auto kButtonFields = [](auto& f, auto& p) {
  f.Fields(p.defaultButton, p.horizontalAlignment, p.verticalAlignment, p.picture, p.font,
           p.caption);
};

}  // namespace

bool ReadButtonBlock(const Bytes& block, ButtonProperties* out) {
  return ReadVersionedBlock(block, kButtonBlockVersion, out, kButtonFields);
}

Bytes WriteButtonBlock(const ButtonProperties& properties) {
  return WriteVersionedBlock(properties, kButtonFields);
}

}  // namespace mnemora
