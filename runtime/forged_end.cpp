#include "runtime/forged_end.h"

#include <unordered_set>

namespace mnemora {
namespace {

// The watch of this thread, read by window procedures; both stay readable
// after the owner below is gone, which leaves them null.
thread_local HHOOK t_watch = nullptr;
// The windows DestroyWindow has begun to end and whose WM_NCDESTROY has
// not come yet.
thread_local std::unordered_set<HWND>* t_ending = nullptr;

// Ends the watch with the thread, before the program's static objects go:
// a window they destroy afterwards is judged by nothing.
struct WatchOwner {
  std::unordered_set<HWND> ending;
  ~WatchOwner() {
    if (t_watch != nullptr) {
      UnhookWindowsHookEx(t_watch);
    }
    t_watch = nullptr;
    t_ending = nullptr;
  }
};
thread_local WatchOwner t_owner;

BOOL CALLBACK NoteChildEnding(HWND child, LPARAM) {
  t_ending->insert(child);
  return TRUE;
}

// DestroyWindow asks this first, before it ends the window and then its
// children. Windows that ended without a WM_NCDESTROY here (those of other
// procedures) are forgotten on the way.
LRESULT CALLBACK NoteEnding(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND && t_ending != nullptr) {
    std::erase_if(*t_ending, [](HWND window) { return !IsWindow(window); });
    const auto window = reinterpret_cast<HWND>(wParam);
    t_ending->insert(window);
    EnumChildWindows(window, NoteChildEnding, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void WatchWindowEnds() {
  if (t_watch == nullptr) {
    t_ending = &t_owner.ending;
    t_watch = SetWindowsHookExA(WH_CBT, NoteEnding, nullptr, GetCurrentThreadId());
  }
}

bool IsForgedEnd(HWND window, UINT message) {
  if (!IsEndMessage(message) || t_watch == nullptr) {
    return false;
  }
  return message == WM_DESTROY ? !t_ending->contains(window) : t_ending->erase(window) == 0;
}

}  // namespace mnemora
