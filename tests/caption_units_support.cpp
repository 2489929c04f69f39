#include "caption_units_support.h"

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
    if (!g_replyPending) {
      return 0;
    }
    g_replyPending = false;
    record->returned = 1;
    record->value = g_replyValue;
    return 1;
  }
  if (code == window_service::kObjectDestroyed) {
    *handled = true;
    g_recorder->destroyed.push_back(
        {static_cast<uint32_t>(parameter1), static_cast<uint32_t>(parameter2)});
    return 0;
  }
  return 0;
}

constexpr char kParentClass[] = "MnemoraCaptionTestParent";

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (ReflectToChild(message, wParam, lParam, &reflected)) {
    return reflected;
  }
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    UniqueGdiObject brush(
        CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(window, GWLP_USERDATA))));
    FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(brush.Get()));
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class MemoryDc {
 public:
  MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
  ~MemoryDc() { DeleteDC(dc_); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Renders into a 32-bit top-down bitmap of the window's client size and
// reads the pixels back.
template <typename Render>
Pixels RenderClient(HWND window, Render render) {
  RECT client;
  GetClientRect(window, &client);
  const int width = client.right;
  const int height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueGdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc dc;
  HGDIOBJ previous = SelectObject(dc.Get(), bitmap.Get());
  render(dc.Get(), RECT{0, 0, width, height});
  GdiFlush();
  std::vector<COLORREF> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  const auto* raw = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF);
  }
  SelectObject(dc.Get(), previous);
  return Pixels(width, height, std::move(pixels));
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
  parentClass.lpszClassName = kParentClass;
  RegisterClassA(&parentClass);
  window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kParentClass, "", WS_POPUP, 40, 40,
                            width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  UpdateWindow(window_);
}

ColouredParent::~ColouredParent() {
  DestroyWindow(window_);
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

UnitValue GetUnitProperty(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property) {
  return KindOperation<GetPropertyOperation>(kind, unit_operation::kGetProperty)(unit,
                                                                                 property - 8);
}

bool SetUnitNumber(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property,
                   int64_t number) {
  UnitValue value;
  value.number = number;
  return KindOperation<SetPropertyOperation>(kind, unit_operation::kSetProperty)(unit, property - 8,
                                                                                 value);
}

bool SetUnitBytes(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property, Bytes bytes) {
  UnitValue value;
  value.bytes = std::move(bytes);
  return KindOperation<SetPropertyOperation>(kind, unit_operation::kSetProperty)(unit, property - 8,
                                                                                 value);
}

bool SetUnitText(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property,
                 const std::string& text) {
  return SetUnitBytes(kind, unit, property, Bytes(text.begin(), text.end()));
}

std::string TextOfValue(const UnitValue& value) {
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
  return RenderClient(window, [&](HDC dc, RECT area) {
    UniqueGdiObject brush(CreateSolidBrush(fill));
    FillRect(dc, &area, static_cast<HBRUSH>(brush.Get()));
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
}

Pixels CaptureClient(HWND window) {
  HWND top = GetAncestor(window, GA_ROOT);
  UpdateWindow(top);
  PumpMessages();
  return RenderClient(window, [&](HDC dc, RECT area) {
    WindowDc source(window);
    BitBlt(dc, 0, 0, area.right, area.bottom, source.Get(), 0, 0, SRCCOPY);
  });
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace mnemora::testing
