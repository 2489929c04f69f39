#include "runtime/message_loop.h"

#include <windows.h>

#include <algorithm>

#include "runtime/idle_callbacks.h"
#include "runtime/runtime_app.h"
#include "runtime/ui_thread_channel.h"
#include "runtime/window_system_hooks.h"

namespace mnemora {
namespace {

bool MessageWaiting(MSG* message) {
  return PeekMessageA(message, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

bool ModalWindowGone(LoopMode mode) {
  return mode == LoopMode::kModal && TheRuntimeApp().currentModalWindow == nullptr;
}

}  // namespace

void RunMainMessageLoop() {
  RuntimeApp& app = TheRuntimeApp();
  app.mainLoopStarted = true;
  if (CurrentWindowSystem().anyWindowLoaded()) {
    RunMessageLoop(LoopMode::kMain);
  }
}

void RunMessageLoop(LoopMode mode) {
  RuntimeApp& app = TheRuntimeApp();
  bool idle = true;
  long idleCount = 0;
  MSG message;
  for (;;) {
    while (idle && !MessageWaiting(&message)) {
      RunIdleCallbacks();
      if (!RuntimeIdleStep(idleCount++)) {
        idle = false;
      }
      if (ModalWindowGone(mode)) {
        return;
      }
    }
    do {
      if (mode == LoopMode::kModal && MessageWaiting(&message) && message.message == WM_QUIT) {
        return;
      }
      if (!app.PumpMessage()) {
        if (mode == LoopMode::kModal) {
          // The quit was meant for the outer loop: put it back.
          PostQuitMessage(app.QuitCode());
        }
        return;
      }
      if (ModalWindowGone(mode)) {
        return;
      }
      if (app.IsIdleMessage(app.LastMessage())) {
        idle = true;
        idleCount = 0;
      }
    } while (MessageWaiting(&message));
  }
}

bool RuntimeIdleStep(long idleCount) {
  RuntimeApp& app = TheRuntimeApp();
  if (idleCount == 0) {
    app.frameworkIdlePending = true;
    app.idlePeriodStart = GetTickCount();
    app.idleDoneWindows.clear();
  }
  if (app.frameworkIdlePending) {
    app.frameworkIdlePending = app.OnIdle(idleCount);
    return true;
  }
  if (idleCount == 1) {
    return true;
  }
  const WindowSystemHooks& windows = CurrentWindowSystem();
  const DWORD elapsed = GetTickCount() - app.idlePeriodStart;
  bool wantsMore = false;
  for (uint32_t windowId : windows.loadedWindows()) {
    auto& done = app.idleDoneWindows;
    if (std::find(done.begin(), done.end(), windowId) != done.end()) {
      continue;
    }
    if (windows.raiseIdleEvent(windowId, elapsed)) {
      wantsMore = true;
    } else {
      done.push_back(windowId);
    }
  }
  return wantsMore;
}

void ProcessPendingMessages() {
  MSG message;
  if (!OnUiThread()) {
    // Another thread has only its own windows' messages to handle; the
    // runtime's last-message record and pre-translation belong to the UI
    // thread.
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return;
  }
  RuntimeApp& app = TheRuntimeApp();
  while (MessageWaiting(&message) && message.message != WM_QUIT) {
    app.PumpMessage();
  }
}

}  // namespace mnemora
