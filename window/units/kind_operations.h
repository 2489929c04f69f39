// The numbered operations and the descriptor of a unit kind, generated from
// the kind's class so that every kind hands them out the same way.
//
// kOwn is the kind's own property table (OwnProperty entries), whose record
// Properties is the block the class Unit takes and provides:
//   Unit(const UnitCreateArgs&, Properties);
//   bool CreateNative(const UnitCreateArgs&);
//   bool SetProperty(int32_t index, const UnitValue&);
//   UnitValue GetProperty(int32_t index);   KindUnit's, or the kind's own
//   Bytes Save();                           likewise
// and, where the kind has the operation:
//   bool WantsKey(int32_t virtualKey);                        key interest
//   bool ActsOnEnter();                                       Enter interest
// The stored texts converted are the text fields of the table, and whatever
//   static void ConvertOtherTexts(Properties&, TextConversion);
// converts besides.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>

#include "runtime/unit_type_descriptor.h"
#include "window/units/block_fields.h"
#include "window/units/own_property.h"
#include "window/units/unit_interface.h"

namespace mnemora {

// A kind's descriptor: the reserved slots empty, the property count taken
// from its table.
template <size_t N>
constexpr UnitTypeDescriptor MakeKindDescriptor(const char* name, const char* englishName,
                                                uint32_t stateFlags,
                                                const std::array<UnitPropertyEntry, N>& properties,
                                                GetUnitInterfaceFunction getInterface) {
  UnitTypeDescriptor descriptor{};
  descriptor.name = name;
  descriptor.englishName = englishName;
  descriptor.stateFlags = stateFlags;
  descriptor.propertyCount = static_cast<uint32_t>(N);
  descriptor.properties = properties.data();
  descriptor.getInterface = getInterface;
  return descriptor;
}

template <typename Unit, const auto& kOwn>
class KindOperations {
 public:
  using Properties = typename std::remove_cvref_t<decltype(kOwn[0])>::Record;

  static constexpr bool kConvertsOtherTexts = requires(Properties & p, TextConversion convert) {
    Unit::ConvertOtherTexts(p, convert);
  };
  static constexpr bool kConvertsTexts = kConvertsOtherTexts || HoldsTexts(kOwn);
  static_assert(FieldsSuitTypes(kOwn), "each stored property's field holds its type's values");
  static constexpr bool kHasKeyInterest = requires(Unit & u) { u.WantsKey(int32_t{0}); };
  static constexpr bool kHasEnterInterest = requires(Unit & u) { u.ActsOnEnter(); };

  // Hands out the operation with the given number; null when the kind
  // lacks it.
  static void* GetInterface(int32_t operation) {
    static constexpr UnitKindOperations kOperations = MakeTable();
    return OperationByNumber(kOperations, operation);
  }

  template <size_t N>
  static constexpr UnitTypeDescriptor Descriptor(
      const char* name, const char* englishName, uint32_t stateFlags,
      const std::array<UnitPropertyEntry, N>& properties) {
    return MakeKindDescriptor(name, englishName, stateFlags, properties, &GetInterface);
  }

 private:
  static Unit* As(UnitObject* unit) { return static_cast<Unit*>(unit); }

  // Null when the block is rejected or the native window cannot be made.
  static UnitObject* Create(const UnitCreateArgs& args) {
    Properties properties;
    if (!ReadNewUnitBlock(args.propertyBlock, &properties)) {
      return nullptr;
    }
    auto unit = std::make_unique<Unit>(args, std::move(properties));
    return unit->CreateNative(args) ? unit.release() : nullptr;
  }
  static bool SetProperty(UnitObject* unit, int32_t index, const UnitValue& value) {
    return As(unit)->SetProperty(index, value);
  }
  static UnitValue GetProperty(UnitObject* unit, int32_t index) {
    return As(unit)->GetProperty(index);
  }
  static Bytes Save(UnitObject* unit) { return As(unit)->Save(); }
  static bool WantsKey(UnitObject* unit, int32_t virtualKey) {
    return As(unit)->WantsKey(virtualKey);
  }
  static bool ActsOnEnter(UnitObject* unit) { return As(unit)->ActsOnEnter(); }
  // A block the kind would not load comes back unchanged.
  static Bytes ConvertTexts(const Bytes& block, TextConversion convert) {
    Properties properties;
    if (!ReadPropertyBlock(block, &properties)) {
      return block;
    }
    for (const OwnProperty<Properties>& own : kOwn) {
      own.ConvertText(properties, convert);
    }
    if constexpr (kConvertsOtherTexts) {
      Unit::ConvertOtherTexts(properties, convert);
    }
    return WritePropertyBlock(properties);
  }

  static constexpr UnitKindOperations MakeTable() {
    UnitKindOperations table;
    table.create = &Create;
    table.setProperty = &SetProperty;
    table.save = &Save;
    table.getProperty = &GetProperty;
    if constexpr (kHasKeyInterest) {
      table.keyInterest = &WantsKey;
    }
    if constexpr (kConvertsTexts) {
      table.convertTexts = &ConvertTexts;
    }
    if constexpr (kHasEnterInterest) {
      table.enterInterest = &ActsOnEnter;
    }
    return table;
  }
};

}  // namespace mnemora
