// The floor the end-to-end benchmark measures the tool against: a minimal
// Win32 program doing only the work that cannot be avoided under the same
// platform. At start it reads "汇编指令集.txt" beside itself, splits it at
// CR LF, sorts the lines, keeps the first line per mnemonic (leaving out the
// lines the tool leaves out), fills a visible list box with redrawing off
// and its storage pre-sized, and shows the count as the tool does. Each
// change of its query box starts a thread that lists the lines whose
// mnemonic contains the upper-cased query, as the tool shows them, and
// posts one message; the window sets the result with one SetWindowText,
// unless a newer query has started since.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "bench/floor_program.h"
#include "runtime/win_handles.h"

namespace {

namespace ids = mnemora::bench::floor_program;

constexpr UINT kResultReady = WM_APP + 1;
constexpr size_t kResultWidth = 15;

std::string g_text;
std::vector<std::string_view> g_entries;
HWND g_window = nullptr;
HWND g_resultBox = nullptr;

std::atomic<unsigned> g_newestQuery{0};
// The newest finished result; the message only says which query finished.
std::mutex g_resultLock;
unsigned g_resultQuery = 0;
std::string g_result;

std::string_view FirstWord(std::string_view line) {
  const size_t start = std::min(line.find_first_not_of(' '), line.size());
  line.remove_prefix(start);
  return line.substr(0, std::min(line.find(' '), line.size()));
}

bool IsLeftOut(std::string_view line) {
  if (line.empty() || line.front() == ' ') {
    return true;
  }
  for (size_t i = 0; i < line.size(); ++i) {
    if (line.compare(i, 2, "\xA1\xA1") == 0) {
      ++i;
    } else if (line[i] != ' ') {
      return false;
    }
  }
  return true;
}

// The first word padded to 15 bytes, the later words joined, CR LF.
void AppendResultLine(std::string_view line, std::string* out) {
  const std::string_view word = FirstWord(line);
  *out += word;
  if (word.size() < kResultWidth) {
    out->append(kResultWidth - word.size(), ' ');
  }
  std::string_view rest = line.substr(line.find(word) + word.size());
  if (rest.empty()) {
    *out += word;
  }
  for (char c : rest) {
    if (c != ' ') {
      out->push_back(c);
    }
  }
  *out += "\r\n";
}

void LoadInstructions(HWND list, HWND countLabel) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file(path, length);
  file = file.substr(0, file.find_last_of('\\') + 1) + "汇编指令集.txt";
  mnemora::UniqueKernelHandle handle(
      CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size{};
  if (handle && GetFileSizeEx(handle.Get(), &size)) {
    g_text.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ReadFile(handle.Get(), g_text.data(), static_cast<DWORD>(g_text.size()), &read, nullptr);
    g_text.resize(std::min<size_t>(read, g_text.find('\0')));
  }
  std::vector<std::string_view> lines;
  std::string_view rest = g_text;
  for (size_t end; !rest.empty(); rest.remove_prefix(std::min(end + 2, rest.size()))) {
    end = std::min(rest.find("\r\n"), rest.size());
    lines.push_back(rest.substr(0, end));
  }
  std::sort(lines.begin(), lines.end());
  std::unordered_set<std::string_view> seen;
  seen.reserve(lines.size());
  for (std::string_view line : lines) {
    if (!IsLeftOut(line) && seen.insert(FirstWord(line)).second) {
      g_entries.push_back(line);
    }
  }

  size_t itemBytes = 0;
  for (std::string_view entry : g_entries) {
    itemBytes += FirstWord(entry).size() + 1;
  }
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_INITSTORAGE, g_entries.size(), static_cast<LPARAM>(itemBytes));
  std::string item;
  for (std::string_view entry : g_entries) {
    item = FirstWord(entry);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  const std::string caption = "共有：" + std::to_string(g_entries.size()) + "条汇编指令！";
  SetWindowTextA(countLabel, caption.c_str());
}

struct Query {
  unsigned number;
  std::string needle;
};

DWORD WINAPI RunQuery(void* parameter) {
  const std::unique_ptr<Query> query(static_cast<Query*>(parameter));
  std::string result;
  if (!query->needle.empty()) {
    for (std::string_view entry : g_entries) {
      if (FirstWord(entry).find(query->needle) != std::string_view::npos) {
        AppendResultLine(entry, &result);
      }
    }
  }
  {
    const std::lock_guard lock(g_resultLock);
    if (query->number < g_resultQuery) {
      return 0;
    }
    g_resultQuery = query->number;
    g_result = std::move(result);
  }
  PostMessageA(g_window, kResultReady, query->number, 0);
  return 0;
}

void OnQueryChanged(HWND queryBox) {
  auto query = std::make_unique<Query>();
  query->number = ++g_newestQuery;
  query->needle.resize(static_cast<size_t>(GetWindowTextLengthA(queryBox)) + 1);
  query->needle.resize(static_cast<size_t>(
      GetWindowTextA(queryBox, query->needle.data(), static_cast<int>(query->needle.size()))));
  for (char& c : query->needle) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  mnemora::UniqueKernelHandle thread(CreateThread(nullptr, 0, RunQuery, query.get(), 0, nullptr));
  if (thread) {
    query.release();
  }
}

void OnResultReady(WPARAM number) {
  const std::lock_guard lock(g_resultLock);
  if (number == g_newestQuery.load() && number == g_resultQuery) {
    SetWindowTextA(g_resultBox, g_result.c_str());
  }
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == ids::kQueryBox && HIWORD(wParam) == EN_CHANGE) {
        OnQueryChanged(reinterpret_cast<HWND>(lParam));
      }
      return 0;
    case kResultReady:
      OnResultReady(wParam);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND Child(const char* kind, DWORD style, int id, int left, int top, int width, int height) {
  return CreateWindowExA(WS_EX_CLIENTEDGE, kind, "", WS_CHILD | WS_VISIBLE | style, left, top,
                         width, height, g_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA kind{};
  kind.lpfnWndProc = FloorProc;
  kind.hInstance = instance;
  kind.lpszClassName = ids::kWindowClass;
  kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassA(&kind);
  g_window = CreateWindowExA(0, ids::kWindowClass, "Mnemora floor", WS_OVERLAPPEDWINDOW, 100, 100,
                             520, 332, nullptr, nullptr, instance, nullptr);
  if (g_window == nullptr) {
    return 1;
  }
  HWND list =
      Child("LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, ids::kList, 8, 16, 104, 224);
  HWND countLabel = Child("STATIC", 0, ids::kCountLabel, 8, 270, 125, 18);
  Child("EDIT", ES_AUTOHSCROLL, ids::kQueryBox, 140, 16, 102, 24);
  g_resultBox = Child("EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL,
                      ids::kResultBox, 140, 60, 340, 180);
  ShowWindow(g_window, SW_SHOW);
  UpdateWindow(g_window);
  LoadInstructions(list, countLabel);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
