// A window ends only through DestroyWindow on its own thread, which sends
// it WM_DESTROY and WM_NCDESTROY within that call. The same messages sent
// by another thread or program, or posted, would end a unit, or free a
// system control's data, while its window lives on: they are forged, and
// no window procedure of the tool passes them on.
#pragma once

#include <windows.h>

namespace mnemora {

inline bool IsEndMessage(UINT message) {
  return message == WM_DESTROY || message == WM_NCDESTROY;
}

// From here on this thread notes which of its windows DestroyWindow is
// ending. Called before the thread makes a window it judges the end
// messages of; the note lasts as long as the thread.
void WatchWindowEnds();

// For a window procedure: an end message of a window that DestroyWindow is
// not ending. False for every message until the thread watches.
bool IsForgedEnd(HWND window, UINT message);

}  // namespace mnemora
