#include "unit_test_support.h"

#include <mutex>

#include "runtime/hide_owner.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_service.h"
#include "runtime/ui_thread_channel.h"
#include "runtime/window_system_hooks.h"
#include "window/unit_events.h"

namespace mnemora::unit_tests {
namespace {

constexpr char kParentClass[] = "MnemoraUnitTestParent";

std::mutex g_eventsLock;
std::vector<RaisedEvent> g_events;

intptr_t RecordingService(int32_t code, intptr_t parameter1, intptr_t, bool* handled) {
  if (code != runtime_service::kCallEventHandler) {
    return 0;
  }
  const auto* record = reinterpret_cast<const EventRecord*>(parameter1);
  RaisedEvent raised{
      record->unitId, record->event,
      std::vector<int32_t>(record->arguments, record->arguments + record->argumentCount),
      GetCurrentThreadId()};
  std::lock_guard<std::mutex> lock(g_eventsLock);
  g_events.push_back(std::move(raised));
  *handled = true;
  return 0;
}

// A parent window as the runtime's are: children's notifications go to the
// child's unit first.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ReflectToChild(message, wParam, lParam, &result)) {
    return result;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterParentClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(GetModuleHandleA(nullptr), kParentClass, &existing)) {
    return;
  }
  WNDCLASSA parentClass{};
  parentClass.lpfnWndProc = ParentProc;
  parentClass.hInstance = GetModuleHandleA(nullptr);
  parentClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  parentClass.lpszClassName = kParentClass;
  RegisterClassA(&parentClass);
}

UnitValue Number(int64_t number) {
  UnitValue value;
  value.number = number;
  return value;
}

}  // namespace

void MakeThisTheUiThread() {
  static const bool bound = [] {
    RuntimeApp& app = TheRuntimeApp();
    app.hideOwner = CreateHideOwnerWindow();
    app.mainThreadId = GetCurrentThreadId();
    BindUiThreadChannel(app.hideOwner);
    return true;
  }();
  (void)bound;
}

UnitTestBench::UnitTestBench() {
  MakeThisTheUiThread();
  // A window closed by an earlier test closed the channel; the bench's
  // units are as open as a loaded window's.
  OpenUiThreadChannel();
  WindowSystemHooks hooks = EmptyWindowSystem();
  hooks.service = RecordingService;
  InstallWindowSystem(hooks);
  ClearEvents();
  RegisterParentClass();
  parent_ = CreateWindowExA(0, kParentClass, "units", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                            400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

UnitTestBench::~UnitTestBench() {
  DestroyWindow(parent_);
  PumpMessages();
  InstallWindowSystem(EmptyWindowSystem());
}

std::vector<RaisedEvent> UnitTestBench::Events() const {
  std::lock_guard<std::mutex> lock(g_eventsLock);
  return g_events;
}

std::vector<int32_t> UnitTestBench::EventNumbers(uint32_t unitId) const {
  std::vector<int32_t> numbers;
  for (const RaisedEvent& raised : Events()) {
    if (raised.unitId == unitId) {
      numbers.push_back(raised.event);
    }
  }
  return numbers;
}

void UnitTestBench::ClearEvents() {
  std::lock_guard<std::mutex> lock(g_eventsLock);
  g_events.clear();
}

std::unique_ptr<UnitObject> UnitTestBench::Create(const UnitTypeDescriptor& kind,
                                                  const Bytes& block, uint32_t unitId, int width,
                                                  int height, uint32_t style, int controlId) {
  auto create = KindOperation<CreateUnitOperation>(kind, unit_operation::kCreate);
  const UnitCreateArgs args{&block, style, parent_, controlId,     nullptr, 10,
                            10,     width, height,  kTestWindowId, unitId};
  return std::unique_ptr<UnitObject>(create(args));
}

bool SetUnitProperty(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
                     int64_t number) {
  auto set = KindOperation<SetPropertyOperation>(kind, unit_operation::kSetProperty);
  return set(unit, property - 8, Number(number));
}

bool SetUnitBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
                  const Bytes& bytes) {
  auto set = KindOperation<SetPropertyOperation>(kind, unit_operation::kSetProperty);
  UnitValue value;
  value.bytes = bytes;
  return set(unit, property - 8, value);
}

bool SetUnitText(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
                 const std::string& text) {
  return SetUnitBytes(unit, kind, property, Bytes(text.begin(), text.end()));
}

int64_t UnitNumber(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property) {
  auto get = KindOperation<GetPropertyOperation>(kind, unit_operation::kGetProperty);
  return get(unit, property - 8).number;
}

Bytes UnitBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property) {
  auto get = KindOperation<GetPropertyOperation>(kind, unit_operation::kGetProperty);
  return get(unit, property - 8).bytes;
}

std::string UnitText(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property) {
  const Bytes bytes = UnitBytes(unit, kind, property);
  return std::string(bytes.begin(), bytes.end());
}

std::string WindowTextOf(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

LONG_PTR StyleOf(HWND window) {
  return GetWindowLongPtrA(window, GWL_STYLE);
}
LONG_PTR ExStyleOf(HWND window) {
  return GetWindowLongPtrA(window, GWL_EXSTYLE);
}

RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void ClickAt(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace mnemora::unit_tests
