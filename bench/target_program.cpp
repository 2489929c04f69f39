#include "bench/target_program.h"

#include <psapi.h>

#include <fstream>
#include <vector>

#include "bench/floor_program.h"

namespace mnemora::bench {
namespace {

constexpr UINT kGbk = 936;
// A unit's thread busy with a long load answers late; a send that times
// out is simply tried again.
constexpr UINT kSendTimeoutMs = 30000;
constexpr DWORD kCloseDeadlineMs = 120000;

std::string BesideThisProgram(const char* name) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string self(path, length);
  return self.substr(0, self.find_last_of('\\') + 1) + name;
}

std::string NewDirectory() {
  static unsigned serial = 0;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string directory = std::string(temp) + "mnemora-bench-" +
                                std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(++serial);
  CreateDirectoryA(directory.c_str(), nullptr);
  return directory;
}

void RemoveDirectoryTree(const std::string& directory) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileA((directory + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(directory.c_str());
}

LRESULT SendW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  while (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs,
                             &result) == 0 &&
         GetLastError() == ERROR_TIMEOUT) {
  }
  return static_cast<LRESULT>(result);
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string Gbk(std::wstring_view wide) {
  const int length = WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string gbk(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()), gbk.data(), length,
                      nullptr, nullptr);
  return gbk;
}

struct WindowSearch {
  DWORD processId;
  const char* windowClass;
  HWND found;
};

BOOL CALLBACK MatchProgramWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == search->processId && ClassOf(window) == search->windowClass) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
  reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
  return TRUE;
}

}  // namespace

double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

std::wstring Wide(std::string_view gbk) {
  const int length =
      MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(), length);
  return wide;
}

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
    : kind_(kind), directory_(NewDirectory()) {
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
  WindowSearch search{process_.dwProcessId,
                      kind_ == ProgramKind::kTool ? "KXWindow" : floor_program::kWindowClass,
                      nullptr};
  EnumWindows(MatchProgramWindow, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) {
    return false;
  }
  if (kind_ == ProgramKind::kFloor) {
    queryBox = GetDlgItem(search.found, floor_program::kQueryBox);
    resultBox = GetDlgItem(search.found, floor_program::kResultBox);
    list = GetDlgItem(search.found, floor_program::kList);
    countLabel = GetDlgItem(search.found, floor_program::kCountLabel);
  } else {
    // The tool's units are told apart by kind and by the caption of the
    // group box around them.
    std::vector<HWND> children;
    EnumChildWindows(search.found, CollectChild, reinterpret_cast<LPARAM>(&children));
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
  window_ = search.found;
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
