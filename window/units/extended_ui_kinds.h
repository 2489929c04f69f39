// The unit kinds of the extended-UI library, indexed by kind number minus one.
#pragma once

#include <cstdint>

#include "runtime/unit_type_descriptor.h"

namespace mnemora {

inline constexpr uint32_t kExtendedUiKindCount = 5;

// kExtendedUiKindCount descriptors; only kind 5, the transparent label, is
// one the program uses.
const UnitTypeDescriptor* ExtendedUiKinds();

}  // namespace mnemora
