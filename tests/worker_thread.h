// Worker threads for tests of what other threads may do: each runs a
// function while the test's own thread, the UI thread, pumps its messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "runtime/win_handles.h"

namespace mnemora::testing_support {

inline DWORD WINAPI RunWorkerFunction(void* parameter) {
  (*static_cast<std::function<void()>*>(parameter))();
  return 0;
}

// The function must outlive the thread.
inline UniqueKernelHandle StartWorker(std::function<void()>* work) {
  return UniqueKernelHandle(CreateThread(nullptr, 0, RunWorkerFunction, work, 0, nullptr));
}

// Dispatches this thread's messages until the thread ends; false when it
// has not ended after ten seconds.
inline bool PumpUntilThreadEnds(HANDLE thread) {
  const ULONGLONG deadline = GetTickCount64() + 10000;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) {
      return false;
    }
    const auto wait = static_cast<DWORD>(deadline - now);
    if (MsgWaitForMultipleObjects(1, &thread, FALSE, wait, QS_ALLINPUT) == WAIT_OBJECT_0) {
      return true;
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

}  // namespace mnemora::testing_support
