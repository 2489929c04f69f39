// The group box unit kind: a native group frame with its caption, colours
// and background, and the container of the units placed on it.
#pragma once

#include <cstdint>

#include "runtime/unit_type_descriptor.h"

namespace mnemora {

extern const UnitTypeDescriptor kGroupBoxKindDescriptor;

}  // namespace mnemora
