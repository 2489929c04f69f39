// A kind's own property together with the field of the kind's property
// record that holds its value, so that reading it back (and, for kinds that
// store what they are given as it comes, writing it) needs no code of the
// kind's. A property with no field is one the kind works out itself.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <variant>

#include "window/form_bytes.h"
#include "window/units/property_table.h"
#include "window/units/unit_interface.h"
#include "window/units/unit_kind_helpers.h"

namespace mnemora {

// How a stored text is converted (for a change of code page).
using TextConversion = std::string (*)(const std::string& text);

// A number field that reads back as 0 or 1 whatever was stored in it.
template <typename Properties>
struct FlagField {
  uint32_t Properties::*field;
};

template <typename Properties>
constexpr FlagField<Properties> AsFlag(uint32_t Properties::*field) {
  return FlagField<Properties>{field};
}

template <typename Properties>
class OwnProperty {
 public:
  using Record = Properties;

  // Not explicit, so that a table names a computed property by its entry
  // alone.
  constexpr OwnProperty(UnitPropertyEntry entry) : entry_(entry) {}
  template <typename Field>
  constexpr OwnProperty(UnitPropertyEntry entry, Field field) : entry_(entry), field_(field) {}

  constexpr const UnitPropertyEntry& entry() const { return entry_; }

  // Whether the field can hold what crosses for the entry's type: a text
  // field for text, a byte field for fonts, pictures, icons, sounds and
  // data, a number for the rest.
  constexpr bool FieldSuitsType() const {
    using namespace property_type;
    const uint16_t type = entry_.typeCode;
    const bool bytes = type == kFont || type == kPicture || type == kIcon || type == kSound ||
                       type == kData || type == kData2;
    if (std::holds_alternative<std::monostate>(field_)) {
      return true;
    }
    if (std::holds_alternative<std::string Properties::*>(field_)) {
      return type == kText;
    }
    if (std::holds_alternative<Bytes Properties::*>(field_)) {
      return bytes;
    }
    return type != kText && !bytes;
  }

  UnitValue Read(const Properties& record) const {
    return std::visit(
        [&record](auto field) {
          using Field = decltype(field);
          if constexpr (std::is_same_v<Field, std::monostate>) {
            return UnitValue();
          } else if constexpr (std::is_same_v<Field, FlagField<Properties>>) {
            return NumberValue(record.*field.field != 0);
          } else if constexpr (std::is_same_v<Field, Bytes Properties::*>) {
            return BytesValue(record.*field);
          } else if constexpr (std::is_same_v<Field, std::string Properties::*>) {
            return TextValue(record.*field);
          } else {
            return NumberValue(record.*field);
          }
        },
        field_);
  }

  constexpr bool HoldsText() const {
    return std::holds_alternative<std::string Properties::*>(field_);
  }
  void ConvertText(Properties& record, TextConversion convert) const {
    if (HoldsText()) {
      std::string& text = record.*std::get<std::string Properties::*>(field_);
      text = convert(text);
    }
  }

  // Stores the value as it comes: numbers cut to the field, texts byte for
  // byte. False for a property with no field.
  bool Store(Properties& record, const UnitValue& value) const {
    return std::visit(
        [&record, &value](auto field) {
          using Field = decltype(field);
          if constexpr (std::is_same_v<Field, std::monostate>) {
            return false;
          } else if constexpr (std::is_same_v<Field, FlagField<Properties>>) {
            record.*field.field = static_cast<uint32_t>(value.number);
          } else if constexpr (std::is_same_v<Field, Bytes Properties::*>) {
            record.*field = value.bytes;
          } else if constexpr (std::is_same_v<Field, std::string Properties::*>) {
            (record.*field).assign(value.bytes.begin(), value.bytes.end());
          } else {
            using Number = std::remove_reference_t<decltype(record.*field)>;
            record.*field = static_cast<Number>(value.number);
          }
          return true;
        },
        field_);
  }

 private:
  UnitPropertyEntry entry_;
  std::variant<std::monostate, uint32_t Properties::*, int32_t Properties::*, FlagField<Properties>,
               Bytes Properties::*, std::string Properties::*>
      field_;
};

// The value of own property `index` as its field holds it; empty for an
// index past the table and for a property the kind works out itself.
template <typename Properties, size_t N>
UnitValue StoredValue(const OwnProperty<Properties> (&own)[N], int32_t index,
                      const Properties& record) {
  if (index < 0 || static_cast<size_t>(index) >= N) {
    return UnitValue();
  }
  return own[index].Read(record);
}

// Stores the value of own property `index` as it comes; false when the
// index is past the table or the property has no field.
template <typename Properties, size_t N>
bool StoreValue(const OwnProperty<Properties> (&own)[N], int32_t index, Properties& record,
                const UnitValue& value) {
  return index >= 0 && static_cast<size_t>(index) < N && own[index].Store(record, value);
}

template <typename Properties, size_t N>
constexpr bool FieldsSuitTypes(const OwnProperty<Properties> (&own)[N]) {
  return std::ranges::all_of(own, &OwnProperty<Properties>::FieldSuitsType);
}

template <typename Properties, size_t N>
constexpr bool HoldsTexts(const OwnProperty<Properties> (&own)[N]) {
  return std::ranges::any_of(own, &OwnProperty<Properties>::HoldsText);
}

// A kind's whole table of entries: the common properties, then its own.
template <typename Properties, size_t N>
constexpr std::array<UnitPropertyEntry, kCommonPropertyCount + N> WithCommonProperties(
    const OwnProperty<Properties> (&own)[N]) {
  UnitPropertyEntry entries[N] = {};
  for (size_t i = 0; i < N; ++i) {
    entries[i] = own[i].entry();
  }
  return WithCommonProperties(entries);
}

}  // namespace mnemora
