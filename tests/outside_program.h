// What a second program of ours needs to drive the tool from outside, as
// the end-to-end tests and the benchmark do: files beside itself, scratch
// directories, the tool's windows by class, and GBK text across the
// UTF-16 boundary (text read as ANSI from another process does not always
// come back in the ANSI code page).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "runtime/win_handles.h"

namespace mnemora::testing_support {

// A file beside this program's own.
std::string BesideThisProgram(const char* name);
// A new, empty directory in the temporary directory, named from prefix,
// this process and a serial number.
std::string NewScratchDirectory(const char* prefix);
// Deletes the directory with the files in it, read-only ones included.
void RemoveDirectoryTree(const std::string& directory);

std::string ClassOf(HWND window);
// The first top-level window of the process with this class, or null.
HWND ProgramWindowOfClass(DWORD processId, const char* className);

// Keyboard input as the keyboard gives it, to the foreground window and to
// every program listening to raw input: a press of a key already down is
// an auto-repeat.
void KeyDown(WORD key);
void KeyUp(WORD key);

// Puts the GBK text on the clipboard; false when the clipboard is busy.
bool SetClipboardText(std::string_view gbk);

// A window of this program's own, in the foreground, so that keyboard input
// goes to it and not to the tool.
class ForegroundWindow {
 public:
  ForegroundWindow();
  bool InFront() const { return GetForegroundWindow() == window_.Get(); }
  // Handles what the keys sent to it queued.
  void Pump() const;

 private:
  UniqueWindow window_;
};

std::wstring Wide(std::string_view gbk);
std::string Gbk(std::wstring_view wide);

}  // namespace mnemora::testing_support
