#include "runtime/forged_end.h"

#include <unordered_set>

#include "runtime/win_handles.h"

namespace mnemora {
namespace {

struct EndWatch;

// Plain values, readable after the watch below is gone: window procedures
// still run while the program's static objects destroy their windows.
thread_local EndWatch* t_watch = nullptr;
thread_local bool t_watchEnded = false;
thread_local int t_creating = 0;

struct EndWatch {
  UniqueHook hook;
  // The windows whose end has begun and whose WM_NCDESTROY has not come.
  std::unordered_set<HWND> ending;

  // The hook goes after the pointer: a notice in between finds no watch.
  ~EndWatch() {
    t_watch = nullptr;
    t_watchEnded = true;
  }
};
thread_local EndWatch t_endWatch;

BOOL CALLBACK NoteChildEnding(HWND child, LPARAM) {
  t_watch->ending.insert(child);
  return TRUE;
}

// Windows that ended without a WM_NCDESTROY to a procedure of the tool (a
// message box, the edit box's adjuster) are forgotten on the way.
void NoteEnding(HWND window) {
  std::erase_if(t_watch->ending, [](HWND noted) { return !IsWindow(noted); });
  t_watch->ending.insert(window);
  EnumChildWindows(window, NoteChildEnding, 0);
}

// DestroyWindow asks this before it ends the window and its children.
LRESULT CALLBACK NoticeOfEnd(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND && t_watch != nullptr) {
    NoteEnding(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Another program's window that holds one of ours ends it from its own
// thread, out of this thread's sight.
bool UnderAnotherThread(HWND window) {
  HWND root = GetAncestor(window, GA_ROOT);
  return root != nullptr && GetWindowThreadProcessId(root, nullptr) != GetCurrentThreadId();
}

void WatchWindowEnds() {
  if (t_watch == nullptr && !t_watchEnded) {
    t_endWatch.hook.Reset(SetWindowsHookExA(WH_CBT, NoticeOfEnd, nullptr, GetCurrentThreadId()));
    if (t_endWatch.hook) {
      t_watch = &t_endWatch;
    }
  }
}

}  // namespace

HWND CreateWatchedWindow(DWORD exStyle, const char* className, const char* text, DWORD style,
                         int left, int top, int width, int height, HWND parent, HMENU menu) {
  WatchWindowEnds();
  ++t_creating;
  HWND window = CreateWindowExA(exStyle, className, text, style, left, top, width, height, parent,
                                menu, GetModuleHandleA(nullptr), nullptr);
  --t_creating;
  return window;
}

void EndWindow(HWND window) {
  if (t_watch != nullptr) {
    NoteEnding(window);
  }
  DestroyWindow(window);
}

bool IsForgedEnd(HWND window, UINT message) {
  if (!IsEndMessage(message) || t_watch == nullptr) {
    return false;
  }
  std::unordered_set<HWND>& ending = t_watch->ending;
  if (message == WM_NCDESTROY) {
    return ending.erase(window) == 0 && t_creating == 0;
  }
  if (ending.contains(window)) {
    return false;
  }
  if (t_creating > 0 || UnderAnotherThread(window)) {
    ending.insert(window);
    return false;
  }
  return true;
}

}  // namespace mnemora
