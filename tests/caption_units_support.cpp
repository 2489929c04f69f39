#include "caption_units_support.h"

#include <gtest/gtest.h>

#include <utility>

#include "runtime/runtime_service.h"
#include "runtime/win_handles.h"
#include "runtime/window_system_hooks.h"
#include "window/unit_object.h"
#include "window/window_services.h"

namespace mnemora::testing {
namespace {

RecordingWindowSystem* g_recorder = nullptr;
bool g_replyPending = false;
int32_t g_replyValue = 0;

intptr_t RecordingService(int32_t code, intptr_t parameter1, intptr_t parameter2, bool* handled) {
  if (code == runtime_service::kCallEventHandler) {
    *handled = true;
    auto* record = reinterpret_cast<EventRecord*>(parameter1);
    g_recorder->events.push_back(*record);
    record->returned = std::exchange(g_replyPending, false) ? 1 : 0;
    record->value = record->returned != 0 ? g_replyValue : 0;
    return record->returned;
  }
  if (code == window_service::kObjectDestroyed) {
    *handled = true;
    EXPECT_EQ(static_cast<uint32_t>(parameter1), kTestWindowId);
    g_recorder->destroyedUnits.push_back(static_cast<uint32_t>(parameter2));
  }
  return 0;
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (ReflectToChild(message, wParam, lParam, &reflected)) {
    return reflected;
  }
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    SetDCBrushColor(reinterpret_cast<HDC>(wParam),
                    static_cast<COLORREF>(GetWindowLongPtrA(window, GWLP_USERDATA)));
    FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Renders into a 32-bit top-down bitmap of the client size; reads it back.
template <typename Render>
Pixels RenderClient(HWND window, Render render) {
  RECT client;
  GetClientRect(window, &client);
  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueGdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap.Get());
  render(dc, client);
  GdiFlush();
  std::vector<COLORREF> pixels(static_cast<size_t>(client.right) * client.bottom);
  const auto* raw = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF);
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  return Pixels(client.right, client.bottom, std::move(pixels));
}

}  // namespace

RecordingWindowSystem::RecordingWindowSystem() {
  g_recorder = this;
  g_replyPending = false;
  WindowSystemHooks hooks = EmptyWindowSystem();
  hooks.service = RecordingService;
  InstallWindowSystem(hooks);
}

RecordingWindowSystem::~RecordingWindowSystem() {
  InstallWindowSystem(EmptyWindowSystem());
  g_recorder = nullptr;
}

void RecordingWindowSystem::ReplyToNextEvent(int32_t value) {
  g_replyPending = true;
  g_replyValue = value;
}

ColouredParent::ColouredParent(COLORREF colour, int width, int height) {
  WNDCLASSA parentClass{};
  parentClass.lpfnWndProc = ParentProc;
  parentClass.hInstance = GetModuleHandleA(nullptr);
  parentClass.lpszClassName = "MnemoraCaptionTestParent";
  RegisterClassA(&parentClass);
  window_ =
      CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, parentClass.lpszClassName, "", WS_POPUP, 40,
                      40, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  UpdateWindow(window_);
}

std::unique_ptr<UnitObject> CreateUnit(const UnitTypeDescriptor& kind, const Bytes& block,
                                       HWND parent, RECT rect, uint32_t unitId, uint32_t style) {
  const UnitCreateArgs args{&block,
                            style,
                            parent,
                            static_cast<int>(unitId & 0xFFFF),
                            nullptr,
                            rect.left,
                            rect.top,
                            rect.right - rect.left,
                            rect.bottom - rect.top,
                            kTestWindowId,
                            unitId};
  return std::unique_ptr<UnitObject>(
      KindOperation<CreateUnitOperation>(kind, unit_operation::kCreate)(args));
}

UnitValue GetProperty(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property) {
  return KindOperation<GetPropertyOperation>(kind, unit_operation::kGetProperty)(unit,
                                                                                 property - 8);
}

bool SetProperty(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property,
                 const UnitValue& value) {
  return KindOperation<SetPropertyOperation>(kind, unit_operation::kSetProperty)(unit, property - 8,
                                                                                 value);
}

UnitValue Number(int64_t number) {
  UnitValue value;
  value.number = number;
  return value;
}

UnitValue Text(const std::string& text) {
  UnitValue value;
  value.bytes.assign(text.begin(), text.end());
  return value;
}

std::string TextOf(const UnitValue& value) {
  return std::string(value.bytes.begin(), value.bytes.end());
}

int Pixels::Count(const RECT& area, COLORREF colour) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      count += At(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

Pixels PrintClient(HWND window, COLORREF fill) {
  return RenderClient(window, [&](HDC dc, const RECT& area) {
    SetDCBrushColor(dc, fill);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
}

Pixels CaptureClient(HWND window) {
  UpdateWindow(GetAncestor(window, GA_ROOT));
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageA(&message);
  }
  return RenderClient(window, [&](HDC dc, const RECT& area) {
    HDC screen = GetDC(window);
    BitBlt(dc, 0, 0, area.right, area.bottom, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
  });
}

}  // namespace mnemora::testing
