// A stand-in window system until windows are built from their stored form
// descriptions: it knows windows by id and title only, loads each as a plain
// top-level window of class "KXWindow", and ends the main loop when the last
// loaded window is gone.
#pragma once

#include <cstdint>

#include "runtime/window_system_hooks.h"

namespace mnemora {

struct StartWindowDescription {
  uint32_t windowId;
  const char* name;   // the window's name in error reports
  const char* title;  // caption and centred text
};

// The descriptions must outlive the program run.
WindowSystemHooks StartWindowSystem(const StartWindowDescription* descriptions, uint32_t count);

// The native handle of a loaded window, or null.
HWND LoadedStartWindow(uint32_t windowId);

}  // namespace mnemora
