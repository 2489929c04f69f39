#include "app/key_monitor.h"

#include <bitset>

#include "app/command_calls.h"
#include "app/hotkey_trail.h"
#include "app/instruction_lines.h"
#include "app/key_name_table.h"
#include "app/key_report_queue.h"
#include "app/main_window_form.h"
#include "app/main_window_units.h"
#include "app/program_header.h"
#include "commands/file_system_commands.h"
#include "commands/format_text_command.h"
#include "commands/text_commands.h"
#include "runtime/entry_table.h"
#include "runtime/support_libraries.h"
#include "window/window_commands.h"

namespace mnemora::app {
namespace {

constexpr int32_t kVisibleProperty = 5;
constexpr int32_t kContentProperty = 8;
constexpr int32_t kHotkeyPauseMs = 100;

#if !defined(_WIN64)
// The sizes the 32-bit layouts have; Wine rejects any other header size.
static_assert(sizeof(RAWINPUTDEVICE) == 12 && sizeof(RAWINPUTHEADER) == 16 &&
              sizeof(RAWINPUT) == 40);
#endif

struct KeyMonitor {
  KeyMonitorTargets targets{};
  WNDPROC previousWindowProc = nullptr;
  // The visibility the next Esc gives the window.
  bool nextVisibleState = false;
  HotkeyTrail hotkeyTrail;
  KeyReportQueue reports;
  // The keys down, by virtual key code, as the raw input's presses and
  // releases tell: a press of a key already down is an auto-repeat.
  std::bitset<256> keysDown;
  // While ReportKey writes the report of an auto-repeat.
  bool reportingRepeat = false;
};
KeyMonitor g_monitor;

void Pause() {
  CallCore(Delay, {ArgValue::Integer(kHotkeyPauseMs)});
}

OwnedText ReadContent(uint32_t unitId) {
  const uint64_t block =
      kEntryTable.ReadUnitProperty(g_monitor.targets.windowId, unitId, kContentProperty, 0);
  return OwnedText(static_cast<char*>(reinterpret_cast<void*>(static_cast<uintptr_t>(block))));
}

void WriteContent(uint32_t unitId, const char* text) {
  const auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(text));
  kEntryTable.WriteUnitProperty(g_monitor.targets.windowId, unitId, kContentProperty, 0,
                                static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32));
}

// The raw input record of lParam, read through the declared call.
bool ReadRawInput(LPARAM lParam, RAWINPUT* input) {
  UINT size = sizeof(RAWINPUT);
  const uintptr_t words[] = {static_cast<uintptr_t>(lParam), RID_INPUT,
                             reinterpret_cast<uintptr_t>(input), reinterpret_cast<uintptr_t>(&size),
                             sizeof(RAWINPUTHEADER)};
  const auto read = static_cast<UINT>(kEntryTable.CallDllFunction(dll::kGetRawInputData, 5, words));
  return read != static_cast<UINT>(-1) && read >= sizeof(RAWINPUTHEADER);
}

// Ctrl+C seen: the copied word is looked up when it occurs, upper-cased
// byte by byte, anywhere in the instruction text.
void LookUpCopiedWord() {
  Pause();  // the copy has time to reach the clipboard
  const OwnedText clipboard(CallCore(GetClipboardText, {}));
  const std::string word(FirstWord(clipboard.View()));
  std::string upper = word;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  const std::string instructions(g_monitor.targets.instructionText());
  if (CallCore(FindText, {TextArg(instructions), TextArg(upper)}).AsInt32() != -1) {
    WriteContent(g_monitor.targets.queryBoxId, word.c_str());
  }
  g_monitor.hotkeyTrail.Clear();
}

// Esc hides and shows the window, each time putting the clipboard text in
// the query box.
void ToggleWindow() {
  Pause();  // as for Ctrl+C: a copy made just before has time to arrive
  const OwnedText clipboard(CallCore(GetClipboardText, {}));
  WriteContent(g_monitor.targets.queryBoxId, clipboard.CStr());
  kEntryTable.WriteUnitProperty(g_monitor.targets.windowId, unit::kWindowRecord, kVisibleProperty,
                                0, g_monitor.nextVisibleState ? 1 : 0, 0);
  g_monitor.nextVisibleState = !g_monitor.nextVisibleState;
}

void ActOnReport(std::string_view report) {
  if (ByteFind(report, "Esc") != -1) {
    ToggleWindow();
  }
  if (g_monitor.hotkeyTrail.Note(report)) {
    LookUpCopiedWord();
  }
}

// Ahead of each report: pending messages are handled (further key reports
// only queue up), and nothing more is done once the window has closed.
bool LetPendingMessagesIn() {
  CallCore(ProcessEvents, {});
  return CallCore(GetWindowHandle, {WindowRef(g_monitor.targets.windowId)}).AsInt32() != 0;
}

// True when the raw key press is an auto-repeat; notes presses and releases.
bool NoteKeyTransition(const RAWKEYBOARD& keyboard) {
  if (keyboard.VKey >= g_monitor.keysDown.size()) {
    return false;
  }
  const bool down = keyboard.Message == WM_KEYDOWN || keyboard.Message == WM_SYSKEYDOWN;
  const bool repeat = down && g_monitor.keysDown.test(keyboard.VKey);
  g_monitor.keysDown.set(keyboard.VKey, down);
  return repeat;
}

}  // namespace

bool InstallKeyMonitor(HWND window, const KeyMonitorTargets& targets) {
  g_monitor.targets = targets;
  RAWINPUTDEVICE device{};
  device.usUsagePage = 1;
  device.usUsage = 6;  // keyboard
  device.dwFlags = RIDEV_INPUTSINK;
  device.hwndTarget = window;
  const uintptr_t registerWords[] = {reinterpret_cast<uintptr_t>(&device), 1,
                                     sizeof(RAWINPUTDEVICE)};
  if (kEntryTable.CallDllFunction(dll::kRegisterRawInputDevices, 3, registerWords) == 0) {
    return false;
  }
  // GWL_WNDPROC; on the 64-bit build the declaration is the pointer-sized
  // SetWindowLongPtrA, since a window procedure no longer fits 32 bits.
  const uintptr_t replaceWords[] = {reinterpret_cast<uintptr_t>(window), static_cast<uintptr_t>(-4),
                                    reinterpret_cast<uintptr_t>(&MonitorWindowProc)};
  g_monitor.previousWindowProc =
      reinterpret_cast<WNDPROC>(kEntryTable.CallDllFunction(dll::kSetWindowLong, 3, replaceWords));
  return true;
}

LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INPUT) {
    RAWINPUT input{};
    if (ReadRawInput(lParam, &input) && input.header.dwType == RIM_TYPEKEYBOARD) {
      const RAWKEYBOARD& keyboard = input.data.keyboard;
      const bool repeat = NoteKeyTransition(keyboard);
      if (keyboard.Message == WM_KEYDOWN || keyboard.Message == WM_SYSKEYDOWN) {
        ReportKey(static_cast<int16_t>(keyboard.VKey), repeat);
      }
    }
  }
  const uintptr_t words[] = {reinterpret_cast<uintptr_t>(g_monitor.previousWindowProc),
                             reinterpret_cast<uintptr_t>(window), message,
                             static_cast<uintptr_t>(wParam), static_cast<uintptr_t>(lParam)};
  return static_cast<LRESULT>(kEntryTable.CallDllFunction(dll::kCallWindowProc, 5, words));
}

std::string KeyReport(int32_t code) {
  const OwnedText report(CallLibrary(
      FormatText, library_index::kApi,
      {TextArg("Name:%s   Value:%d"), TextArg(KeyName(code)), ArgValue::Integer(code)}));
  return std::string(report.View());
}

void ReportKey(int32_t code, bool repeat) {
  g_monitor.reportingRepeat = repeat;
  WriteContent(g_monitor.targets.monitorBoxId, KeyReport(code).c_str());
  g_monitor.reportingRepeat = false;
}

HandlerOutcome OnKeyMonitorChanged(int32_t, const HandlerArg*) {
  // The box is an ordinary edit box: typing into it before the monitor is
  // installed must not reach the hot keys.
  if (g_monitor.targets.instructionText == nullptr) {
    return {};
  }
  // The report is taken before any message is processed: a later key's
  // report may replace the box's content meanwhile.
  const OwnedText report = ReadContent(g_monitor.targets.monitorBoxId);
  if (g_monitor.reports.Offer(std::string(report.View()), g_monitor.reportingRepeat)) {
    g_monitor.reports.Drain(LetPendingMessagesIn, ActOnReport);
  }
  return {};
}

}  // namespace mnemora::app
