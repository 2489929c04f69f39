#include "window/units/group_box_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

// The fields after the version, in stored order.
constexpr auto kGroupBoxFields = [](auto& f, auto& p) {
  f.Fields(p.alignment, p.textColour, p.backgroundColour, p.font, p.caption);
};

}  // namespace

bool ReadGroupBoxBlock(const Bytes& block, GroupBoxProperties* out) {
  return ReadVersionedBlock(block, kGroupBoxBlockVersion, out, kGroupBoxFields);
}

Bytes WriteGroupBoxBlock(const GroupBoxProperties& properties) {
  return WriteVersionedBlock(properties, kGroupBoxFields);
}

}  // namespace mnemora
