// Turning a window description into a live window with all its units, and
// taking it down again.
#pragma once

#include <windows.h>

#include "window/window_set.h"

namespace mnemora {

// Private messages the loader sends: to every unit once all exist and are
// placed, to the window after that, and to every unit once it is shown.
inline constexpr UINT kUnitsPlacedMessage = 0x806F;
inline constexpr UINT kLayoutMessage = 0x8004;
inline constexpr UINT kWindowShownMessage = 0x8076;
inline constexpr UINT kDockMessage = 0x8003;

// False when the load failed.
bool LoadWindowDescription(LiveWindow& window, bool reuse, bool modal, HWND owner);

// Creates the unit of record index through its kind with the given block,
// parent, control id and rectangle; stores it beside the record. False when
// the kind is missing or rejects the unit.
bool CreateRecordUnit(LiveWindow& window, size_t index, const Bytes& block, uint32_t style,
                      HWND parent, int controlId, const RECT& rect);

// When the last loaded window starts to close, other threads lose their way
// onto the UI thread: nothing they hold reaches the dying units.
void BeforeWindowDestroyed(const LiveWindow& window);
// After the native window is gone: unit pointers destroyed, the records put
// back as they were when the load began, the quit posted when no window of
// the set is left and the loop runs.
void AfterWindowDestroyed(LiveWindow& window);

// Deletes every unit object of the window (the records stay).
void ReleaseUnitObjects(LiveWindow& window);

}  // namespace mnemora
