// Which end messages a window of the tool takes as its end: those of a
// DestroyWindow under way, whoever else hooks the thread, and the lone
// WM_NCDESTROY of a failed creation; never those another thread sends.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "runtime/forged_end.h"

namespace mnemora {
namespace {

// The end messages each window's procedure passed on, in order.
struct Passed {
  HWND window;
  UINT message;
  bool operator==(const Passed&) const = default;
};
std::vector<Passed> g_passed;

LRESULT CALLBACK JudgingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsForgedEnd(window, message)) {
    return 0;
  }
  if (IsEndMessage(message)) {
    g_passed.push_back({window, message});
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK FailingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    return -1;
  }
  return JudgingProc(window, message, wParam, lParam);
}

void Register(const char* name, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
}

HWND Make(const char* className, HWND parent = nullptr) {
  const DWORD style = parent != nullptr ? WS_CHILD : WS_OVERLAPPED;
  return CreateWatchedWindow(0, className, "", style, 0, 0, 50, 50, parent, nullptr);
}

// A later hook of this thread that keeps every notice to itself.
LRESULT CALLBACK SwallowingHook(int, WPARAM, LPARAM) {
  return 0;
}

TEST(ForgedEnd, OnlyARealEndPassesItsMessages) {
  Register("ForgedEndJudging", JudgingProc);
  Register("ForgedEndFailing", FailingProc);
  g_passed.clear();

  // Sent by another thread: both dropped, and the window lives on.
  HWND target = Make("ForgedEndJudging");
  ASSERT_NE(target, nullptr);
  std::thread([target] {
    SendNotifyMessageA(target, WM_DESTROY, 0, 0);
    SendNotifyMessageA(target, WM_NCDESTROY, 0, 0);
  }).join();
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // takes the sent messages
  EXPECT_TRUE(g_passed.empty());
  EXPECT_TRUE(IsWindow(target));

  // DestroyWindow ends the window and its child.
  HWND child = Make("ForgedEndJudging", target);
  ASSERT_NE(child, nullptr);
  DestroyWindow(target);
  EXPECT_EQ(g_passed, (std::vector<Passed>{{target, WM_DESTROY},
                                           {child, WM_DESTROY},
                                           {child, WM_NCDESTROY},
                                           {target, WM_NCDESTROY}}));

  // A later hook that does not pass the notice on hides nothing from the
  // tool's own ends.
  g_passed.clear();
  HWND hooked = Make("ForgedEndJudging");
  HHOOK hook = SetWindowsHookExA(WH_CBT, SwallowingHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  EndWindow(hooked);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(g_passed, (std::vector<Passed>{{hooked, WM_DESTROY}, {hooked, WM_NCDESTROY}}));

  // A window that refuses its creation still gets its last message.
  g_passed.clear();
  EXPECT_EQ(Make("ForgedEndFailing"), nullptr);
  ASSERT_EQ(g_passed.size(), 1u);
  EXPECT_EQ(g_passed[0].message, static_cast<UINT>(WM_NCDESTROY));
}

}  // namespace
}  // namespace mnemora
