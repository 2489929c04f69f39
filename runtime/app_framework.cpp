#include "runtime/app_framework.h"

#include "runtime/forged_end.h"

namespace mnemora {

int AppFramework::Main() {
  if (InitInstance()) {
    while (PumpMessage()) {
    }
  }
  return ExitInstance();
}

bool AppFramework::PumpMessage() {
  MSG& message = lastMessage_;
  if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
    quitCode_ = static_cast<int>(message.wParam);
    return false;
  }
  if (IsEndMessage(message.message)) {
    return true;  // posted, so forged
  }
  if (!PreTranslateMessage(&message)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

bool AppFramework::IsIdleMessage(const MSG& message) {
  constexpr UINT kSystemTimer = 0x0118;
  if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
    const bool same = message.message == lastMouseMessage_ &&
                      message.pt.x == lastMousePosition_.x && message.pt.y == lastMousePosition_.y;
    lastMousePosition_ = message.pt;
    lastMouseMessage_ = message.message;
    return !same;
  }
  return message.message != WM_PAINT && message.message != kSystemTimer;
}

bool AppFramework::OnIdle(long) {
  return false;
}

int AppFramework::ExitInstance() {
  return quitCode_;
}

bool AppFramework::PreTranslateMessage(MSG*) {
  return false;
}

}  // namespace mnemora
