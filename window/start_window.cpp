#include "window/start_window.h"

#include <algorithm>
#include <vector>

#include "runtime/runtime_app.h"

namespace mnemora {
namespace {

constexpr char kWindowClass[] = "KXWindow";

struct LoadedWindow {
  uint32_t windowId;
  HWND handle;
};

const StartWindowDescription* g_descriptions = nullptr;
uint32_t g_count = 0;
std::vector<LoadedWindow> g_loaded;

const StartWindowDescription* FindDescription(uint32_t windowId) {
  for (uint32_t i = 0; i < g_count; ++i) {
    if (g_descriptions[i].windowId == windowId) {
      return &g_descriptions[i];
    }
  }
  return nullptr;
}

void OnDestroy(HWND window) {
  std::erase_if(g_loaded, [window](const LoadedWindow& w) { return w.handle == window; });
  if (g_loaded.empty() && TheRuntimeApp().mainLoopStarted) {
    PostQuitMessage(0);
  }
}

void OnPaint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  RECT client;
  GetClientRect(window, &client);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  DrawTextA(dc, title, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

LRESULT CALLBACK StartWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_DESTROY:
      OnDestroy(window);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA existing;
  if (GetClassInfoA(instance, kWindowClass, &existing)) {
    return;
  }
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = StartWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
}

bool LoadStartWindow(uint32_t windowId) {
  const StartWindowDescription* description = FindDescription(windowId);
  if (description == nullptr) {
    return false;
  }
  if (HWND existing = LoadedStartWindow(windowId)) {
    SetActiveWindow(existing);
    return true;
  }
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass(instance);
  constexpr int kWidth = 480;
  constexpr int kHeight = 320;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window = CreateWindowExA(0, kWindowClass, description->title,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, left, top,
                                kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    return false;
  }
  g_loaded.push_back(LoadedWindow{windowId, window});
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return true;
}

const char* WindowName(uint32_t windowId) {
  const StartWindowDescription* description = FindDescription(windowId);
  return description != nullptr ? description->name : nullptr;
}

// A start window has no units beyond its own record, which has no name.
bool FindUnit(uint32_t windowId, uint32_t unitIdOrZero, uint32_t* unitId, const char** name) {
  constexpr uint32_t kOwnRecordId = 0x06010000;
  if (FindDescription(windowId) == nullptr || (unitIdOrZero != 0 && unitIdOrZero != kOwnRecordId)) {
    return false;
  }
  *unitId = kOwnRecordId;
  *name = "";
  return true;
}

bool AnyWindowLoaded() {
  return !g_loaded.empty();
}

std::vector<uint32_t> LoadedWindows() {
  std::vector<uint32_t> ids;
  for (const LoadedWindow& window : g_loaded) {
    ids.push_back(window.windowId);
  }
  return ids;
}

void FreeWindows() {
  for (const LoadedWindow& window : std::vector<LoadedWindow>(g_loaded)) {
    DestroyWindow(window.handle);
  }
  g_loaded.clear();
}

}  // namespace

WindowSystemHooks StartWindowSystem(const StartWindowDescription* descriptions, uint32_t count) {
  g_descriptions = descriptions;
  g_count = count;
  WindowSystemHooks hooks = EmptyWindowSystem();
  hooks.lookup = WindowLookup{WindowName, FindUnit};
  hooks.loadWindow = LoadStartWindow;
  hooks.anyWindowLoaded = AnyWindowLoaded;
  hooks.loadedWindows = LoadedWindows;
  hooks.freeWindows = FreeWindows;
  return hooks;
}

HWND LoadedStartWindow(uint32_t windowId) {
  const auto found =
      std::find_if(g_loaded.begin(), g_loaded.end(),
                   [windowId](const LoadedWindow& w) { return w.windowId == windowId; });
  return found != g_loaded.end() ? found->handle : nullptr;
}

}  // namespace mnemora
