#include "window/units/edit_box_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

// The fields after the version, in stored order.
constexpr auto kEditBoxFields = [](auto& f, auto& p) {
  f.Fields(p.borderStyle, p.textColour, p.backgroundColour, p.hideSelection, p.maxLength,
           p.multiLine, p.scrollBars, p.alignment, p.inputMode, p.passwordCharacter,
           p.caseConversion, p.adjusterMode, p.adjusterMinimum, p.adjusterMaximum, p.selectionStart,
           p.selectionLength, p.font, p.content);
  f.FieldsSince(p.version, 2, p.dataSource, p.dataColumn);
};

}  // namespace

bool ReadEditBoxBlock(const Bytes& block, EditBoxProperties* out) {
  return ReadVersionedBlock(block, kEditBoxBlockVersion, out, kEditBoxFields);
}

Bytes WriteEditBoxBlock(const EditBoxProperties& properties) {
  return WriteVersionedBlock(properties, kEditBoxFields);
}

}  // namespace mnemora
