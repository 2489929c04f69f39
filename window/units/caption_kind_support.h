// What the label, group box and transparent label kinds share besides
// drawing: property table entries, moving values in and out of UnitValue,
// handing out operations and window classes; and the destruction report
// every kind sends.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>

#include "runtime/unit_type_descriptor.h"
#include "window/unit_support.h"
#include "window/units/property_table.h"
#include "window/units/unit_kind_helpers.h"
#include "window/units/unit_interface.h"

namespace mnemora {

// A stored dword holds a signed number; clamped into [low, high] it goes
// back into the dword.
inline uint32_t ClampField(int64_t value, int32_t low, int32_t high) {
  return static_cast<uint32_t>(ClampInt(value, low, high));
}
inline int64_t SignedField(uint32_t stored) {
  return static_cast<int32_t>(stored);
}

// The stored 32-bit field a colour value is written into.
inline uint32_t ColourOf(const UnitValue& value) {
  return static_cast<uint32_t>(value.number);
}

// The loader's disabled and Tab-stop bits as window styles.
DWORD UnitWindowStyle(uint32_t unitStyle);

// Creates a unit's window where its creation arguments put it (parent,
// place, control id), with the loader's disabled and Tab-stop bits added to
// the style. Null when the system refuses.
HWND CreateUnitWindow(const UnitCreateArgs& args, DWORD exStyle, const char* className,
                      const char* text, DWORD style);

// A caption is its window's text at every moment: once the window's own
// procedure has taken a WM_SETTEXT (taken is its result), the text becomes
// the stored caption. True when it was taken.
bool KeepCaption(LRESULT taken, LPARAM text, std::string* caption);

// Registers a class of the runtime's own units once (vertical and
// horizontal redraw, double clicks, arrow cursor); false on failure.
bool EnsureUnitClass(const char* name, WNDPROC procedure, HBRUSH background);

// Tells the window system that a unit's native window is gone. The window
// system may delete the unit object inside this call: the caller must not
// touch it afterwards.
void ReportUnitDestroyed(uint32_t windowId, uint32_t unitId);

}  // namespace mnemora
