// A support library's table of unit kinds, indexed by kind number minus
// one: the kinds the program uses at their numbers, empty entries (no
// name) elsewhere.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>

#include "runtime/assertion.h"
#include "runtime/unit_type_descriptor.h"

namespace mnemora {

struct NumberedKind {
  size_t number;  // from 1
  const UnitTypeDescriptor* kind;
};

template <size_t N>
std::array<UnitTypeDescriptor, N> KindTable(std::initializer_list<NumberedKind> kinds) {
  std::array<UnitTypeDescriptor, N> table{};
  for (const NumberedKind& numbered : kinds) {
    MNEMORA_ASSERT(numbered.number >= 1 && numbered.number <= N);
    table[numbered.number - 1] = *numbered.kind;
  }
  return table;
}

}  // namespace mnemora
