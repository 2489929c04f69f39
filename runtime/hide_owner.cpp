#include "runtime/hide_owner.h"

#include "runtime/end_program.h"
#include "runtime/ui_thread_channel.h"
#include "runtime/win_handles.h"

namespace mnemora {
namespace {

constexpr char kHideOwnerClass[] = "_QN_HideOwner";

LRESULT CALLBACK HideOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kEndProgramMessage:
      EndProgram(static_cast<int32_t>(wParam));
      return 0;
    case kRunUiQueueMessage:
      RunQueuedUiWork();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateHideOwnerWindow() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (!GetClassInfoA(instance, kHideOwnerClass, &existing)) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HideOwnerProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = StockBrush(NULL_BRUSH);
    windowClass.lpszClassName = kHideOwnerClass;
    RegisterClassA(&windowClass);
  }
  return CreateWindowExA(WS_EX_TOOLWINDOW, kHideOwnerClass, "", 0, 0, 0, 0, 0, nullptr, nullptr,
                         instance, nullptr);
}

}  // namespace mnemora
