// Property tables of unit kinds: every table starts with the eight
// properties all kinds share, so that a property's number is its index.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "runtime/unit_type_descriptor.h"

namespace mnemora {

// Property type codes: the word in each property table entry that says
// what crosses the property's read and write entries. Every code not
// listed here is text.
namespace property_type {
inline constexpr uint16_t kInteger = 1000;
// Read and written as 1000; the kinds' tables use it for their integers.
inline constexpr uint16_t kInteger2 = 1001;
inline constexpr uint16_t kWide = 1002;
inline constexpr uint16_t kBoolean = 1003;
inline constexpr uint16_t kWide2 = 1004;
inline constexpr uint16_t kText = 1005;
inline constexpr uint16_t kChoice = 1006;
inline constexpr uint16_t kPicture = 1009;
inline constexpr uint16_t kIcon = 1010;
inline constexpr uint16_t kMousePointer = 1011;
inline constexpr uint16_t kSound = 1012;
inline constexpr uint16_t kFont = 1013;
inline constexpr uint16_t kColour = 1014;
inline constexpr uint16_t kBackgroundColour = 1015;
inline constexpr uint16_t kColour3 = 1017;
inline constexpr uint16_t kData = 1023;
inline constexpr uint16_t kData2 = 1024;
}  // namespace property_type

constexpr UnitPropertyEntry PropertyOfType(uint16_t typeCode) {
  return UnitPropertyEntry{nullptr, nullptr, nullptr, typeCode, 0, nullptr};
}

// A kind's own property: its English name and type code, no flags.
constexpr UnitPropertyEntry NamedProperty(const char* englishName, uint16_t typeCode) {
  return UnitPropertyEntry{nullptr, englishName, nullptr, typeCode, 0, nullptr};
}

// Properties 0 to 7 (left, top, width, height, tag, visible, disabled,
// mouse pointer) come before every kind's own.
inline constexpr size_t kCommonPropertyCount = 8;
inline constexpr std::array<UnitPropertyEntry, kCommonPropertyCount> kCommonProperties = {
    PropertyOfType(property_type::kInteger2),      // 0 left
    PropertyOfType(property_type::kInteger2),      // 1 top
    PropertyOfType(property_type::kInteger2),      // 2 width
    PropertyOfType(property_type::kInteger2),      // 3 height
    PropertyOfType(property_type::kText),          // 4 tag
    PropertyOfType(property_type::kBoolean),       // 5 visible
    PropertyOfType(property_type::kBoolean),       // 6 disabled
    PropertyOfType(property_type::kMousePointer),  // 7 mouse pointer
};

// A kind's whole table: the common properties, then its own from number 8.
template <size_t N>
constexpr std::array<UnitPropertyEntry, kCommonPropertyCount + N> WithCommonProperties(
    const UnitPropertyEntry (&own)[N]) {
  std::array<UnitPropertyEntry, kCommonPropertyCount + N> table{};
  for (size_t i = 0; i < kCommonPropertyCount; ++i) {
    table[i] = kCommonProperties[i];
  }
  for (size_t i = 0; i < N; ++i) {
    table[kCommonPropertyCount + i] = own[i];
  }
  return table;
}

}  // namespace mnemora
