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

// CreateWindowExA for the tool's own windows. The thread's watch of which
// of its windows DestroyWindow is ending starts with the first (and lasts
// as long as the thread); a window that fails its creation ends with a
// lone WM_NCDESTROY, which counts as its end.
HWND CreateWatchedWindow(DWORD exStyle, const char* className, const char* text, DWORD style,
                         int left, int top, int width, int height, HWND parent, HMENU menu);

// DestroyWindow for the tool's own windows: noted first, so that the end
// counts even when a later hook keeps DestroyWindow's notice from the watch.
void EndWindow(HWND window);

// For a window procedure: an end message of a window that is not ending.
// False for every message while the thread does not watch.
bool IsForgedEnd(HWND window, UINT message);

}  // namespace mnemora
