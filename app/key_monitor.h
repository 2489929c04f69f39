// The key monitor: every key pressed anywhere is named in the monitor box
// through raw keyboard input, and the box's content-changed handler turns
// the reports into two global hot keys: Esc hides and shows the window,
// Ctrl+C looks the copied word up.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/event_handler.h"

namespace mnemora::app {

struct KeyMonitorTargets {
  uint32_t windowId;      // the window hidden and shown by Esc
  uint32_t monitorBoxId;  // the edit box the key reports go to
  uint32_t queryBoxId;    // the edit box a hot key fills
  // A copy of the text a copied word must occur in to be looked up.
  std::string (*instructionText)();
};

// Registers window for raw keyboard input, also in the background, and
// puts MonitorWindowProc in front of its window procedure. Returns false,
// leaving the procedure alone, when the registration is refused.
bool InstallKeyMonitor(HWND window, const KeyMonitorTargets& targets);

// Reports key downs and system key downs of WM_INPUT; passes every message on.
LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// "Name:<name>   Value:<code>"; the name is empty for a nameless code.
std::string KeyReport(int32_t code);

// Writes the key's report into the monitor box, which raises its
// content-changed event even when the text is the same. repeat: the key
// was already down (an auto-repeat).
void ReportKey(int32_t code, bool repeat);

// The monitor box's content-changed handler. Each run acts on the report
// that raised it, in key-press order; a run raised while another acts (the
// acting run processes pending messages) only queues its report.
HandlerOutcome OnKeyMonitorChanged(int32_t count, const HandlerArg* args);

}  // namespace mnemora::app
