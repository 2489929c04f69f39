// The acceptance suite's hands and eyes inside Wine: reads what the tool
// shows through Win32 and plays the other programs a user would have open.
// Texts are printed as UTF-8, one per line.
//
//   acceptance_driver wait-window <ms>        the tool's window exists
//   acceptance_driver wait-gone <ms>          no window of the tool is left
//   acceptance_driver count                   top-level windows titled as the tool
//   acceptance_driver text <control id>       a unit's text
//   acceptance_driver wait-text <id> <text> <ms>  until the unit shows text
//   acceptance_driver wait-visible <0|1> <ms> until the window is so
//   acceptance_driver close                   asks the tool's window to close
//   acceptance_driver visible                 1 or 0: the tool's window
//   acceptance_driver box <caption> <ms>      the text of a message box
//   acceptance_driver close-box <caption>     presses its OK button
//   acceptance_driver set-clipboard <text>    puts a text on the clipboard
//   acceptance_driver get-clipboard           the clipboard's text
//   acceptance_driver copy-source <text>      a window of its own with an edit
//                                             box holding text, all selected,
//                                             until it is closed
//   acceptance_driver decoy                   the same, titled as the tool
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const std::string kToolTitle = "Mnemora" + std::string(36, ' ') + "作者ky4410m";
constexpr char kSourceTitle[] = "Acceptance copy source";

std::string ToUtf8(const std::string& gbk) {
  const int wide = MultiByteToWideChar(936, 0, gbk.c_str(), -1, nullptr, 0);
  std::wstring w(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(936, 0, gbk.c_str(), -1, w.data(), wide);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, out.data(), bytes, nullptr, nullptr);
  out.resize(std::strlen(out.c_str()));
  return out;
}

// Arguments are read wide: the narrow argv is already in whatever code page
// Wine derived from the shell's locale.
std::string Gbk(const wchar_t* w) {
  const int bytes = WideCharToMultiByte(936, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(936, 0, w, -1, out.data(), bytes, nullptr, nullptr);
  out.resize(std::strlen(out.c_str()));
  return out;
}

std::string WindowText(HWND window) {
  // WM_GETTEXT rather than GetWindowText: the latter does not read
  // another process's controls.
  const auto length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

HWND Tool() {
  return FindWindowA(nullptr, kToolTitle.c_str());
}

BOOL CALLBACK CountTool(HWND window, LPARAM counter) {
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  if (kToolTitle == title) {
    ++*reinterpret_cast<int*>(counter);
  }
  return TRUE;
}

int CountTools() {
  int count = 0;
  EnumWindows(CountTool, reinterpret_cast<LPARAM>(&count));
  return count;
}

template <typename Condition>
bool WaitFor(int ms, Condition condition) {
  for (int waited = 0; waited <= ms; waited += 50) {
    if (condition()) {
      return true;
    }
    Sleep(50);
  }
  return false;
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ControlSearch*>(param);
  if (GetDlgCtrlID(window) == search->id) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Units inside a group box are that box's children, so the whole tree is
// searched.
HWND Control(int id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(Tool(), MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND MessageBoxWindow(const std::string& caption) {
  return FindWindowA("#32770", caption.c_str());
}

HWND g_sourceEdit = nullptr;

LRESULT CALLBACK SourceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS && g_sourceEdit != nullptr) {
    // Keys typed into the window go to its edit box, where Ctrl+C copies.
    SetFocus(g_sourceEdit);
    SendMessageA(g_sourceEdit, EM_SETSEL, 0, -1);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int CopySource(const std::string& text, const std::string& title) {
  WNDCLASSA kind{};
  kind.lpfnWndProc = SourceProc;
  kind.hInstance = GetModuleHandleA(nullptr);
  kind.lpszClassName = "AcceptanceCopySource";
  kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&kind);
  HWND frame =
      CreateWindowExA(0, kind.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700,
                      500, 400, 120, nullptr, nullptr, kind.hInstance, nullptr);
  HWND edit = g_sourceEdit = CreateWindowExA(
      WS_EX_CLIENTEDGE, "EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_NOHIDESEL,
      10, 10, 360, 28, frame, nullptr, kind.hInstance, nullptr);
  SetForegroundWindow(frame);
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

bool SetClipboard(const std::string& text) {
  if (!OpenClipboard(nullptr)) {
    return false;
  }
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
  return true;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::string args[5];
  for (int i = 1; i < argc && i < 5; ++i) {
    args[i] = Gbk(wide[i]);
  }
  const std::string& command = args[1];
  const char* argument = args[2].c_str();
  if (command == "wait-window") {
    return WaitFor(std::atoi(argument), [] { return Tool() != nullptr; }) ? 0 : 1;
  }
  if (command == "wait-gone") {
    return WaitFor(std::atoi(argument), [] { return Tool() == nullptr; }) ? 0 : 1;
  }
  if (command == "count") {
    std::printf("%d\n", CountTools());
    return 0;
  }
  if (command == "text") {
    HWND control = Control(std::atoi(argument));
    if (control == nullptr) {
      return 1;
    }
    std::printf("%s\n", ToUtf8(WindowText(control)).c_str());
    return 0;
  }
  if (command == "wait-text") {
    // Prints the text it last saw; exit 0 once it equals the expected one.
    const int id = std::atoi(argument);
    std::string seen;
    const bool equal = WaitFor(std::atoi(args[4].c_str()), [&] {
      HWND control = Control(id);
      seen = control != nullptr ? WindowText(control) : "";
      return seen == args[3];
    });
    std::printf("%s\n", ToUtf8(seen).c_str());
    return equal ? 0 : 1;
  }
  if (command == "wait-visible") {
    const bool wanted = std::atoi(argument) != 0;
    const bool reached = WaitFor(std::atoi(args[3].c_str()),
                                 [&] { return (IsWindowVisible(Tool()) != FALSE) == wanted; });
    return reached ? 0 : 1;
  }
  if (command == "close") {
    return PostMessageA(Tool(), WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (command == "visible") {
    std::printf("%d\n", IsWindowVisible(Tool()) ? 1 : 0);
    return 0;
  }
  if (command == "box" && argc > 3) {
    const std::string caption = args[2];
    HWND box = nullptr;
    WaitFor(std::atoi(args[3].c_str()),
            [&] { return (box = MessageBoxWindow(caption)) != nullptr; });
    HWND message = box != nullptr ? GetDlgItem(box, 0xFFFF) : nullptr;
    if (message == nullptr) {
      return 1;
    }
    std::printf("%s\n", ToUtf8(WindowText(message)).c_str());
    return 0;
  }
  if (command == "close-box") {
    HWND box = MessageBoxWindow(argument);
    return box != nullptr && PostMessageA(box, WM_COMMAND, IDOK, 0) ? 0 : 1;
  }
  if (command == "set-clipboard") {
    return SetClipboard(args[2]) ? 0 : 1;
  }
  if (command == "get-clipboard") {
    if (!OpenClipboard(nullptr)) {
      return 1;
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    std::printf("%s\n", text != nullptr ? ToUtf8(text).c_str() : "");
    if (text != nullptr) {
      GlobalUnlock(data);
    }
    CloseClipboard();
    return 0;
  }
  if (command == "copy-source") {
    return CopySource(args[2], kSourceTitle);
  }
  if (command == "decoy") {
    return CopySource("", kToolTitle);
  }
  std::fprintf(stderr, "unknown command %s\n", command.c_str());
  return 2;
}
