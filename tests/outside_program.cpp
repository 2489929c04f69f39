#include "tests/outside_program.h"

#include <cstring>

namespace mnemora::testing_support {
namespace {

constexpr UINT kGbk = 936;

struct WindowSearch {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchProgramWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == search->processId && ClassOf(window) == search->className) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::string BesideThisProgram(const char* name) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string self(path, length);
  return self.substr(0, self.find_last_of('\\') + 1) + name;
}

std::string NewScratchDirectory(const char* prefix) {
  static unsigned serial = 0;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string directory = std::string(temp) + prefix + std::to_string(GetCurrentProcessId()) +
                                "-" + std::to_string(++serial);
  CreateDirectoryA(directory.c_str(), nullptr);
  return directory;
}

void RemoveDirectoryTree(const std::string& directory) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string path = directory + "\\" + found.cFileName;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(directory.c_str());
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

HWND ProgramWindowOfClass(DWORD processId, const char* className) {
  WindowSearch search{processId, className, nullptr};
  EnumWindows(MatchProgramWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

namespace {

void SendKey(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

LRESULT CALLBACK ForegroundProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void KeyDown(WORD key) {
  SendKey(key, 0);
}

void KeyUp(WORD key) {
  SendKey(key, KEYEVENTF_KEYUP);
}

bool SetClipboardText(std::string_view gbk) {
  UniqueHandle<HGLOBAL, NullInvalidTraits<HGLOBAL, GlobalFree>> block(
      GlobalAlloc(GMEM_MOVEABLE, gbk.size() + 1));
  char* bytes = block ? static_cast<char*>(GlobalLock(block.Get())) : nullptr;
  if (bytes == nullptr) {
    return false;
  }
  std::memcpy(bytes, gbk.data(), gbk.size());
  bytes[gbk.size()] = '\0';
  GlobalUnlock(block.Get());
  // The tool may be reading the clipboard at this moment.
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      // The clipboard owns the block once it is set.
      const bool set = SetClipboardData(CF_TEXT, block.Get()) != nullptr;
      if (set) {
        block.Release();
      }
      CloseClipboard();
      return set;
    }
    Sleep(10);
  }
  return false;
}

ForegroundWindow::ForegroundWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ForegroundProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "MnemoraTestForeground";
  RegisterClassA(&windowClass);
  window_.Reset(CreateWindowExA(0, windowClass.lpszClassName, "Another program",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200, nullptr,
                                nullptr, windowClass.hInstance, nullptr));
  SetForegroundWindow(window_.Get());
  SetFocus(window_.Get());
  Pump();
}

void ForegroundWindow::Pump() const {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

std::wstring Wide(std::string_view gbk) {
  const int length =
      MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(), length);
  return wide;
}

std::string Gbk(std::wstring_view wide) {
  const int length = WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string gbk(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()), gbk.data(), length,
                      nullptr, nullptr);
  return gbk;
}

}  // namespace mnemora::testing_support
