#include "app/single_instance.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "app/command_calls.h"
#include "app/main_window_form.h"
#include "app/main_window_units.h"
#include "app/program_header.h"
#include "commands/file_system_commands.h"
#include "runtime/entry_table.h"
#include "window/window_commands.h"

namespace mnemora::app {
namespace {

constexpr int32_t kTitleProperty = 8;
constexpr int32_t kExclamationOk = 0x30;

std::vector<std::string> g_titleMatches;
// The title the enumeration compares with; set only while it runs.
const char* g_wantedTitle = nullptr;

BOOL CALLBACK CompareTitle(HWND window, LPARAM) {
  // 256 spaces and the terminating zero; at most 254 title bytes are read.
  char buffer[257];
  std::memset(buffer, ' ', 256);
  buffer[256] = '\0';
  const uintptr_t words[] = {reinterpret_cast<uintptr_t>(window),
                             reinterpret_cast<uintptr_t>(buffer), 255};
  kEntryTable.CallDllFunction(dll::kGetWindowText, 3, words);
  if (std::strcmp(buffer, g_wantedTitle) == 0) {
    g_titleMatches.emplace_back(buffer);
  }
  return TRUE;
}

}  // namespace

bool CheckSingleInstance(uint32_t windowId) {
  const OwnedText title(static_cast<char*>(reinterpret_cast<void*>(static_cast<uintptr_t>(
      kEntryTable.ReadUnitProperty(windowId, unit::kWindowRecord, kTitleProperty, 0)))));
  g_wantedTitle = title.CStr();
  const uintptr_t words[] = {reinterpret_cast<uintptr_t>(&CompareTitle), 0};
  kEntryTable.CallDllFunction(dll::kEnumWindows, 2, words);
  g_wantedTitle = nullptr;
  if (g_titleMatches.size() <= 1) {
    return false;
  }
  const ArgValue owner = CallCore(GetWindowHandle, {WindowRef(windowId)});
  CallCore(MessageBox, {TextArg("您已经运行了一个相同的程序!"), ArgValue::Integer(kExclamationOk),
                        TextArg("禁止重复运行"), owner});
  // Without "immediately" the close is posted: the creation sequence still
  // runs to its end first.
  CallCore(DestroyUnit, {WindowRef(windowId)});
  return true;
}

std::span<const std::string> TitleMatches() {
  return g_titleMatches;
}

void FreeTitleMatches() {
  g_titleMatches = std::vector<std::string>();
}

}  // namespace mnemora::app
