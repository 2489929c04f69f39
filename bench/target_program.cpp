#include "bench/target_program.h"

#include <psapi.h>

#include <fstream>
#include <vector>

#include "bench/floor_program.h"
#include "tests/outside_program.h"

namespace mnemora::bench {
namespace {

using testing_support::BesideThisProgram;
using testing_support::ClassOf;
using testing_support::Gbk;
using testing_support::RemoveDirectoryTree;

// A unit's thread busy with a long load answers late; a send that times
// out is simply tried again.
constexpr UINT kSendTimeoutMs = 30000;
constexpr DWORD kCloseDeadlineMs = 120000;

LRESULT SendW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  while (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs,
                             &result) == 0 &&
         GetLastError() == ERROR_TIMEOUT) {
  }
  return static_cast<LRESULT>(result);
}

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
  reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
  return TRUE;
}

}  // namespace

size_t WideTextLength(HWND unit) {
  return static_cast<size_t>(SendW(unit, WM_GETTEXTLENGTH, 0, 0));
}

std::wstring WideText(HWND unit) {
  std::wstring text(WideTextLength(unit) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendW(unit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::string GbkText(HWND unit) {
  return Gbk(WideText(unit));
}

void SetGbkText(HWND unit, std::string_view text) {
  const std::wstring wide = Wide(text);
  SendW(unit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

int ListSelection(HWND list) {
  return static_cast<int>(SendW(list, LB_GETCURSEL, 0, 0));
}

int ListCount(HWND list) {
  return static_cast<int>(SendW(list, LB_GETCOUNT, 0, 0));
}

void Click(HWND unit) {
  RECT client;
  GetClientRect(unit, &client);
  const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageW(unit, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  PostMessageW(unit, WM_LBUTTONUP, 0, centre);
}

double RoundTripMs(HWND window) {
  const double start = NowMs();
  SendW(window, WM_NULL, 0, 0);
  return NowMs() - start;
}

TargetProgram::TargetProgram(ProgramKind kind, const std::string& fileBytes)
    : kind_(kind), directory_(testing_support::NewScratchDirectory("mnemora-bench-")) {
  const char* name = kind == ProgramKind::kTool ? "mnemora.exe" : "mnemora_floor.exe";
  CopyFileA(BesideThisProgram(name).c_str(), (directory_ + "\\" + name).c_str(), FALSE);
  std::ofstream(directory_ + "\\汇编指令集.txt", std::ios::binary) << fileBytes;
}

TargetProgram::~TargetProgram() {
  if (process_.hProcess != nullptr) {
    if (window_ != nullptr) {
      PostMessageA(window_, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process_.hProcess, kCloseDeadlineMs) != WAIT_OBJECT_0) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kCloseDeadlineMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  RemoveDirectoryTree(directory_);
}

bool TargetProgram::Start() {
  const std::string program =
      directory_ + (kind_ == ProgramKind::kTool ? "\\mnemora.exe" : "\\mnemora_floor.exe");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startMs_ = NowMs();
  if (!CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                      directory_.c_str(), &startup, &process_)) {
    process_ = {};
    return false;
  }
  return true;
}

bool TargetProgram::FindUnits() {
  HWND window = testing_support::ProgramWindowOfClass(
      process_.dwProcessId, kind_ == ProgramKind::kTool ? "KXWindow" : floor_program::kWindowClass);
  if (window == nullptr) {
    return false;
  }
  if (kind_ == ProgramKind::kFloor) {
    queryBox = GetDlgItem(window, floor_program::kQueryBox);
    resultBox = GetDlgItem(window, floor_program::kResultBox);
    list = GetDlgItem(window, floor_program::kList);
    countLabel = GetDlgItem(window, floor_program::kCountLabel);
  } else {
    // The tool's units are told apart by kind and by the caption of the
    // group box around them.
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
      const std::string kind = ClassOf(child);
      const std::string group = GbkText(GetParent(child));
      if (kind == "Edit" && group == "输入查询") {
        queryBox = child;
      } else if (kind == "Edit" && group == "指令说明") {
        resultBox = child;
      } else if (kind == "ListBox") {
        list = child;
      } else if (kind == "_QN_Label" && group == "数据操作") {
        countLabel = child;
      } else if (kind == "Button" && group == "数据操作") {
        const std::string caption = GbkText(child);
        (caption == "添加" ? addButton : caption == "修改" ? modifyButton : deleteButton) = child;
      }
    }
  }
  if (queryBox == nullptr || resultBox == nullptr || list == nullptr || countLabel == nullptr) {
    return false;
  }
  window_ = window;
  return true;
}

double TargetProgram::WaitForCaption(std::string_view caption, DWORD pollMs, double deadlineMs) {
  const std::wstring wanted = Wide(caption);
  while (NowMs() - startMs_ < deadlineMs) {
    if ((window_ != nullptr || FindUnits()) && WideText(countLabel) == wanted) {
      return NowMs() - startMs_;
    }
    Sleep(pollMs);
  }
  return -1;
}

size_t TargetProgram::PeakWorkingSet() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (process_.hProcess == nullptr ||
      !GetProcessMemoryInfo(process_.hProcess, &counters, sizeof counters)) {
    return 0;
  }
  return counters.PeakWorkingSetSize;
}

}  // namespace mnemora::bench
