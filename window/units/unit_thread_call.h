// Running a piece of a unit's work on the thread that owns its native
// window. Query worker threads use list and edit boxes; the platform hands
// a sent message to the owner thread and waits for it, so work carried by
// one message runs there whole, and no other thread's operation on the unit
// can fall in the middle of it.
#pragma once

#include <windows.h>

#include <type_traits>

namespace mnemora {

// The message that carries the work. Each unit kind's window procedure
// hands it to RunUnitThreadCall before anything else.
UINT UnitThreadCallMessage();

struct UnitThreadWork {
  void* context;
  void (*run)(void* context);
};

// Does the work a UnitThreadCallMessage carries; returns 1.
LRESULT RunUnitThreadCall(LPARAM lParam);

// Sends work to a unit's window and returns once it has run. When the
// window is gone, or is not a unit's window, the work does not run, so
// callers start from the result that stands for "no unit".
template <typename Work>
void RunOnUnitThread(HWND window, Work&& work) {
  using Callable = std::remove_reference_t<Work>;
  UnitThreadWork item{static_cast<void*>(&work),
                      [](void* context) { (*static_cast<Callable*>(context))(); }};
  SendMessageA(window, UnitThreadCallMessage(), 0, reinterpret_cast<LPARAM>(&item));
}

// As RunOnUnitThread, but once the window is gone the work runs on the
// caller's thread, where only a unit's stored values remain to be used.
template <typename Work>
void RunOnUnitThreadOrHere(HWND window, Work&& work) {
  bool ran = false;
  RunOnUnitThread(window, [&] {
    work();
    ran = true;
  });
  if (!ran) {
    work();
  }
}

}  // namespace mnemora
