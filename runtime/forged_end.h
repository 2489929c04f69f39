// A window of the tool ends through DestroyWindow: on its own thread, or,
// when another program has put it under a window of its own, through that
// window's end. The end messages (WM_DESTROY, WM_NCDESTROY) sent by another
// thread or program at any other time, or posted, would end a unit, or free
// a system control's data, while its window lives on: they are forged, and
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

// DestroyWindow for the tool's own windows: noted first, so that the end
// counts even when a later hook keeps DestroyWindow's notice from the watch.
void EndWindow(HWND window);

// Held around the tool's own CreateWindowExA calls: a window that fails its
// creation ends with a lone WM_NCDESTROY and no DestroyWindow.
class CreatingWindow {
 public:
  CreatingWindow();
  ~CreatingWindow();
  CreatingWindow(const CreatingWindow&) = delete;
  CreatingWindow& operator=(const CreatingWindow&) = delete;
};

// For a window procedure: an end message of a window that is not ending.
// False for every message while the thread does not watch.
bool IsForgedEnd(HWND window, UINT message);

}  // namespace mnemora
