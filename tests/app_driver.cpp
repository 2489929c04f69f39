#include "tests/app_driver.h"

#include <tlhelp32.h>

#include <fstream>
#include <string>
#include <iterator>

#include "tests/outside_program.h"

namespace mnemora::testing_support {
namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kDeadlineMs = 30000;
constexpr UINT kSendTimeoutMs = 10000;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

LRESULT SendW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == search->processId && IsWindowVisible(window) && ClassOf(window) == "KXWindow") {
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

RunningApp::RunningApp(std::optional<std::string> fileBytes, const std::string& queryHold,
                       const std::function<void(const std::string&)>& beforeStart)
    : directory_(NewScratchDirectory("mnemora-app-")) {
  const std::string program = directory_ + "\\mnemora.exe";
  filePath_ = directory_ + "\\汇编指令集.txt";
  if (!CopyFileA(BesideThisProgram("mnemora.exe").c_str(), program.c_str(), FALSE)) {
    return;
  }
  if (fileBytes) {
    std::ofstream(filePath_, std::ios::binary) << *fileBytes;
  }
  if (beforeStart) {
    beforeStart(filePath_);
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  // The program inherits this process's environment, with the hold only
  // for this start.
  SetEnvironmentVariableA("MNEMORA_QUERY_HOLD", queryHold.empty() ? nullptr : queryHold.c_str());
  const BOOL created = CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                      directory_.c_str(), &startup, &process_);
  SetEnvironmentVariableA("MNEMORA_QUERY_HOLD", nullptr);
  if (!created) {
    process_ = {};
    return;
  }
  WindowSearch search{process_.dwProcessId, nullptr};
  WaitUntil([&] {
    EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  mainWindow_ = search.found;
  if (mainWindow_ == nullptr) {
    return;
  }
  mainWindow = mainWindow_;
  hideOwner = ProgramWindowOfClass(process_.dwProcessId, "_QN_HideOwner");
  FindUnits();
  // The creation sequence has run when the count is shown.
  WaitUntil([&] { return Text(countLabel).starts_with("共有"); });
  idleThreads_ = ThreadCount();
}

RunningApp::~RunningApp() {
  if (process_.hProcess != nullptr) {
    if (mainWindow_ != nullptr && !ended_) {
      PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process_.hProcess, kDeadlineMs) != WAIT_OBJECT_0) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kDeadlineMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  RemoveDirectoryTree(directory_);
}

std::optional<DWORD> RunningApp::Close() {
  if (process_.hProcess == nullptr || ended_) {
    return std::nullopt;
  }
  PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
  return WaitForExit();
}

std::optional<DWORD> RunningApp::WaitForExit() {
  if (process_.hProcess == nullptr || ended_ ||
      WaitForSingleObject(process_.hProcess, kDeadlineMs) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  ended_ = true;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

bool RunningApp::ShowsMessageBox() const {
  return ProgramWindowOfClass(process_.dwProcessId, "#32770") != nullptr;
}

std::vector<HWND> RunningApp::AllWindows() const {
  std::vector<HWND> windows{hideOwner, mainWindow_};
  EnumChildWindows(mainWindow_, CollectChild, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool RunningApp::Alive() const {
  return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::string RunningApp::FileBytes() const {
  std::ifstream in(filePath_, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::optional<std::string> RunningApp::BackupBytes() const {
  std::ifstream in(filePath_ + ".bak", std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void RunningApp::FindUnits() {
  std::vector<HWND> children;
  EnumChildWindows(mainWindow_, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    const std::string kind = ClassOf(child);
    const std::string text = Text(child);
    const std::string group = Text(GetParent(child));
    if (kind == "Edit" && group == "输入查询") {
      queryBox = child;
    } else if (kind == "Edit" && group == "指令说明") {
      annotationBox = child;
    } else if (kind == "ListBox") {
      list = child;
    } else if (kind == "Edit" && GetParent(child) == mainWindow_) {
      monitorBox = child;
    } else if (kind == "_QN_DrawPanel") {
      helpPanel = child;
    } else if (kind == "_QN_Label" && group == "数据操作") {
      countLabel = child;
    } else if (kind == "_QN_TransLabel") {
      (text == "格式" ? formatLabel : deleteLabel) = child;
    } else if (kind == "Button" && group == "数据操作") {
      if (text == "添加") {
        addButton = child;
      } else if (text == "修改") {
        modifyButton = child;
      } else if (text == "删除") {
        deleteButton = child;
      }
    }
  }
}

void RunningApp::Post(HWND unit, UINT message, WPARAM wParam, LPARAM lParam) const {
  PostMessageW(unit, message, wParam, lParam);
}

void RunningApp::Type(HWND box, std::string_view text) const {
  const std::wstring wide = Wide(text);
  for (size_t i = 0; i < wide.size();) {
    if (wide[i] == L'\n') {
      ++i;  // Enter gives a line break in a multi-line box; its line feed is implied
    } else if (wide[i] < 0x80) {
      Post(box, WM_CHAR, wide[i++], 1);
    } else {
      // Chinese comes from an input method, which hands the box whole words;
      // as a window message a character would pass through the keyboard
      // layout's code page, which here has no Chinese.
      size_t end = i;
      while (end < wide.size() && wide[end] >= 0x80) {
        ++end;
      }
      const std::wstring word = wide.substr(i, end - i);
      Drain();
      SendMessageTimeoutW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(word.c_str()),
                          SMTO_NORMAL, kSendTimeoutMs, nullptr);
      i = end;
    }
  }
}

void RunningApp::PressKey(HWND unit, UINT key) const {
  Post(unit, WM_KEYDOWN, key, 1);
  Post(unit, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void RunningApp::PressSystemKey(HWND unit, UINT key, bool withAlt) const {
  const LPARAM alt = withAlt ? KF_ALTDOWN << 16 : 0;
  Post(unit, WM_SYSKEYDOWN, key, 1 | alt);
  if (key != VK_F10) {
    Post(unit, WM_SYSKEYUP, key, static_cast<LPARAM>(0xC0000001u) | alt);
  }
}

void RunningApp::Click(HWND unit) const {
  RECT client;
  GetClientRect(unit, &client);
  const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
  Post(unit, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  Post(unit, WM_LBUTTONUP, 0, centre);
}

std::vector<int> RunningApp::ColumnPositions(HWND box, int column) const {
  std::vector<int> positions;
  const auto lines = static_cast<int>(Send(box, EM_GETLINECOUNT, 0, 0));
  for (int line = 0; line < lines; ++line) {
    const LRESULT first = Send(box, EM_LINEINDEX, line, 0);
    if (Send(box, EM_LINELENGTH, first, 0) > column) {
      positions.push_back(LOWORD(Send(box, EM_POSFROMCHAR, first + column, 0)));
    }
  }
  return positions;
}

void RunningApp::QueueTogether(const std::function<void()>& queue) const {
  // The window thread is the program's first thread.
  SuspendThread(process_.hThread);
  queue();
  ResumeThread(process_.hThread);
}

void RunningApp::DoubleClick(HWND unit) const {
  const LPARAM point = MAKELPARAM(5, 5);
  Post(unit, WM_LBUTTONDOWN, MK_LBUTTON, point);
  Post(unit, WM_LBUTTONUP, 0, point);
  Post(unit, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  Post(unit, WM_LBUTTONUP, 0, point);
}

void RunningApp::ClickItem(int index) const {
  // Scrolled into view first, as with the scroll bar's thumb.
  const auto height = static_cast<int>(Send(list, LB_GETITEMHEIGHT, 0, 0));
  RECT client;
  GetClientRect(list, &client);
  const int top = static_cast<int>(Send(list, LB_GETTOPINDEX, 0, 0));
  if (index < top || (index - top + 1) * height > client.bottom) {
    Post(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, index), 0);
    Drain();
  }
  const int row = index - static_cast<int>(Send(list, LB_GETTOPINDEX, 0, 0));
  const LPARAM point = MAKELPARAM(10, row * height + height / 2);
  Post(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  Post(list, WM_LBUTTONUP, 0, point);
}

std::string RunningApp::Text(HWND unit) const {
  // Read as Unicode: a text read as ANSI from another process does not
  // always come back in the ANSI code page.
  std::wstring text(static_cast<size_t>(SendW(unit, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendW(unit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return Gbk(text);
}

std::vector<std::string> RunningApp::Items() const {
  std::vector<std::string> items;
  const auto count = static_cast<int>(SendW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring item(static_cast<size_t>(SendW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    item.resize(
        static_cast<size_t>(SendW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
    items.push_back(Gbk(item));
  }
  return items;
}

int RunningApp::ItemCount() const {
  return static_cast<int>(SendW(list, LB_GETCOUNT, 0, 0));
}

int RunningApp::FindItem(std::string_view text) const {
  const std::wstring item = Wide(text);
  // The list box matches without regard to case: the answer is checked.
  const auto found = static_cast<int>(SendW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(item.c_str())));
  if (found < 0) {
    return -1;
  }
  std::wstring got(static_cast<size_t>(SendW(list, LB_GETTEXTLEN, found, 0)) + 1, L'\0');
  got.resize(
      static_cast<size_t>(SendW(list, LB_GETTEXT, found, reinterpret_cast<LPARAM>(got.data()))));
  return got == item ? found : -1;
}

int RunningApp::Selection() const {
  return static_cast<int>(Send(list, LB_GETCURSEL, 0, 0));
}

HWND RunningApp::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(process_.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

int RunningApp::ThreadCount() const {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) {
    return 0;
  }
  int count = 0;
  THREADENTRY32 thread{};
  thread.dwSize = sizeof thread;
  for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread)) {
    count += thread.th32OwnerProcessID == process_.dwProcessId ? 1 : 0;
  }
  CloseHandle(snapshot);
  return count;
}

bool RunningApp::Drain() const {
  // A limit change queued behind the input is seen only once everything
  // queued before it was handled.
  const auto marker = static_cast<WPARAM>(0x7FFF0000u + ++markers_);
  Post(queryBox, EM_SETLIMITTEXT, marker, 0);
  return WaitUntil(
      [&] { return static_cast<WPARAM>(Send(queryBox, EM_GETLIMITTEXT, 0, 0)) == marker; });
}

bool RunningApp::Settle() const {
  // Handling the input may have started workers, and a worker's writes
  // may have raised events: both are checked again until neither has
  // anything left.
  for (int round = 0; round < 100; ++round) {
    if (!WaitUntil([&] { return ThreadCount() <= idleThreads_; }) || !Drain()) {
      return false;
    }
    if (ThreadCount() <= idleThreads_) {
      return true;
    }
  }
  return false;
}

bool RunningApp::WaitUntil(const std::function<bool()>& done) const {
  const ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
  while (!done()) {
    if (GetTickCount64() > deadline) {
      return false;
    }
    Sleep(kPollMs);
  }
  return true;
}

}  // namespace mnemora::testing_support
