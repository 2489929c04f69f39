#include "window/units/group_box_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

template <typename Fields, typename Properties>
void VisitGroupBoxFields(Fields& f, Properties& p) {
  f.Field(p.alignment);
  f.Field(p.textColour);
  f.Field(p.backgroundColour);
  f.Field(p.font);
  f.Field(p.caption);
}

}  // namespace

bool ReadGroupBoxBlock(const Bytes& block, GroupBoxProperties* out) {
  return ReadVersionedBlock(block, kGroupBoxBlockVersion, out,
                            [](auto& f, auto& p) { VisitGroupBoxFields(f, p); });
}

Bytes WriteGroupBoxBlock(const GroupBoxProperties& properties) {
  return WriteVersionedBlock(properties, [](auto& f, auto& p) { VisitGroupBoxFields(f, p); });
}

}  // namespace mnemora
