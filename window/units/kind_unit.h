// The part every unit kind's class shares: the record of its property
// block, its stored properties read back from it through the kind's own
// property table, and the block saved from it. Base is the kind of native
// window the unit shows (ControlUnit or OwnWindowUnit); a kind whose
// properties are not all in the record (a control's live state) defines
// GetProperty or Save of its own in place of these.
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

#include "window/form_bytes.h"
#include "window/units/block_fields.h"
#include "window/units/own_property.h"
#include "window/units/unit_interface.h"

namespace mnemora {

template <typename Base, const auto& kOwn>
class KindUnit : public Base {
 public:
  using Properties = typename std::remove_cvref_t<decltype(kOwn[0])>::Record;

  UnitValue GetProperty(int32_t index) const { return StoredValue(kOwn, index, properties_); }
  Bytes Save() const { return WritePropertyBlock(properties_); }

 protected:
  template <typename... BaseArgs>
  KindUnit(Properties properties, BaseArgs&&... baseArgs)
      : Base(std::forward<BaseArgs>(baseArgs)...), properties_(std::move(properties)) {}

  Properties properties_;
};

}  // namespace mnemora
