// The label unit kind: a window of the runtime's own class that paints its
// frame, background and caption itself.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/unit_type_descriptor.h"

namespace mnemora {

extern const UnitTypeDescriptor kLabelKindDescriptor;

// A label that receives this raises its event 0 with the two message
// parameters; the handler's returned value is the message's result.
inline constexpr UINT kLabelEventMessage = 0x8075;

}  // namespace mnemora
