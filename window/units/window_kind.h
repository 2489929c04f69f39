// The window's own unit kind: the top-level window built from record 0.
#pragma once

#include <windows.h>

#include "runtime/unit_type_descriptor.h"
#include "window/units/window_block.h"
#include "window/unit_object.h"

namespace mnemora {

inline constexpr uint32_t kWindowKind = 0x00010001;
// Posted by DestroyUnit: the window closes once the current handler returned.
inline constexpr UINT kProgramCloseMessage = 0x8065;

extern const UnitTypeDescriptor kWindowKindDescriptor;

// The loader's and the property writer's hold on a window object; each
// accepts only objects of this kind and ignores others.
void SetWindowReuse(UnitObject* window, bool reuse);
void ShowWindowAfterLoad(UnitObject* window);
// Later shows after the first one are plain shows.
void ShowWindowUnit(UnitObject* window);
void MakeWindowModal(UnitObject* window);
void MarkWindowLoaded(UnitObject* window);
// Set by DestroyUnit before it posts the close message or destroys.
void MarkClosedByProgram(UnitObject* window);
bool WindowCloseRequested(UnitObject* window);
// The window's properties, or null for an object of another kind.
const WindowProperties* WindowPropertiesOf(UnitObject* window);
// Re-enables the windows a modal window disabled, then destroys it.
void DestroyWindowUnitNow(UnitObject* window);

}  // namespace mnemora
