// The unit kinds of the core library, indexed by kind number minus one.
#pragma once

#include <cstdint>

#include "runtime/unit_type_descriptor.h"

namespace mnemora {

inline constexpr uint32_t kCoreUnitKindCount = 15;

// kCoreUnitKindCount descriptors; kinds the program has no use for are
// empty entries (no name).
const UnitTypeDescriptor* CoreUnitKinds();

}  // namespace mnemora
