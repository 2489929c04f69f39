// The button unit kind: a native push button (class "BUTTON") showing its
// caption or a picture, raising event 0 when clicked.
#pragma once

#include "runtime/unit_type_descriptor.h"

namespace mnemora {

extern const UnitTypeDescriptor kButtonKindDescriptor;

}  // namespace mnemora
