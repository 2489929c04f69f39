#include "tests/unit_bench.h"

#include <gtest/gtest.h>

#include <mutex>
#include <utility>

#include "app/main_window_form.h"
#include "runtime/hide_owner.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_service.h"
#include "runtime/ui_thread_channel.h"
#include "runtime/window_system_hooks.h"
#include "window/unit_events.h"
#include "window/window_services.h"

namespace mnemora::bench {
namespace {

constexpr char kParentClass[] = "MnemoraUnitBenchParent";

// Events can be raised on any thread that reaches a unit.
std::mutex g_lock;
std::vector<RaisedEvent> g_events;
std::vector<DestructionReport> g_destroyed;
std::optional<int32_t> g_reply;

intptr_t RecordingService(int32_t code, intptr_t parameter1, intptr_t parameter2, bool* handled) {
  std::lock_guard<std::mutex> lock(g_lock);
  if (code == runtime_service::kCallEventHandler) {
    *handled = true;
    auto* record = reinterpret_cast<EventRecord*>(parameter1);
    g_events.push_back(RaisedEvent{
        record->windowId, record->unitId, record->event,
        std::vector<int32_t>(record->arguments, record->arguments + record->argumentCount),
        GetCurrentThreadId()});
    const std::optional<int32_t> reply = std::exchange(g_reply, std::nullopt);
    record->returned = reply ? 1 : 0;
    record->value = reply.value_or(0);
    return record->returned;
  }
  if (code == window_service::kObjectDestroyed) {
    *handled = true;
    EXPECT_EQ(static_cast<uint32_t>(parameter1), kWindowId);
    g_destroyed.push_back(
        DestructionReport{static_cast<uint32_t>(parameter1), static_cast<uint32_t>(parameter2)});
  }
  return 0;
}

// The colour it fills its background with is its user data.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (ReflectToChild(message, wParam, lParam, &reflected)) {
    return reflected;
  }
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetDCBrushColor(dc, static_cast<COLORREF>(GetWindowLongPtrA(window, GWLP_USERDATA)));
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    return 1;
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

HWND CreateParent(const std::optional<ShownParent>& shown) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!shown) {
    const HWND hidden =
        CreateWindowExA(0, kParentClass, "bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 480,
                        360, nullptr, nullptr, instance, nullptr);
    SetWindowLongPtrA(hidden, GWLP_USERDATA, static_cast<LONG_PTR>(GetSysColor(COLOR_WINDOW)));
    return hidden;
  }
  const HWND window =
      CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kParentClass, "", WS_POPUP, 40, 40,
                      shown->width, shown->height, nullptr, nullptr, instance, nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(shown->colour));
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  return window;
}

UnitValue NumberValue(int64_t number) {
  UnitValue value;
  value.number = number;
  return value;
}

UnitValue BytesValue(const Bytes& bytes) {
  UnitValue value;
  value.bytes = bytes;
  return value;
}

UnitValue Get(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property) {
  return KindOperation<GetPropertyOperation>(kind, unit_operation::kGetProperty)(unit,
                                                                                 property - 8);
}

bool Set(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
         const UnitValue& value) {
  return KindOperation<SetPropertyOperation>(kind, unit_operation::kSetProperty)(unit, property - 8,
                                                                                 value);
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

UnitBench::UnitBench(const std::optional<ShownParent>& shown) {
  MakeThisTheUiThread();
  // A window closed by an earlier test closed the channel; the bench's
  // units are as open as a loaded window's.
  OpenUiThreadChannel();
  WindowSystemHooks hooks = EmptyWindowSystem();
  hooks.service = RecordingService;
  InstallWindowSystem(hooks);
  ClearEvents();
  RegisterParentClass();
  parent_ = CreateParent(shown);
}

UnitBench::~UnitBench() {
  DestroyWindow(parent_);
  PumpMessages();
  InstallWindowSystem(EmptyWindowSystem());
}

std::vector<RaisedEvent> UnitBench::Events() const {
  std::lock_guard<std::mutex> lock(g_lock);
  return g_events;
}

std::vector<RaisedEvent> UnitBench::EventsOf(uint32_t unitId) const {
  std::vector<RaisedEvent> events;
  for (RaisedEvent& event : Events()) {
    if (event.unitId == unitId) {
      events.push_back(std::move(event));
    }
  }
  return events;
}

std::vector<int32_t> UnitBench::EventNumbers(uint32_t unitId) const {
  std::vector<int32_t> numbers;
  for (const RaisedEvent& event : EventsOf(unitId)) {
    numbers.push_back(event.event);
  }
  return numbers;
}

std::vector<DestructionReport> UnitBench::Destroyed() const {
  std::lock_guard<std::mutex> lock(g_lock);
  return g_destroyed;
}

void UnitBench::ClearEvents() {
  std::lock_guard<std::mutex> lock(g_lock);
  g_events.clear();
  g_destroyed.clear();
  g_reply.reset();
}

void UnitBench::ReplyToNextEvent(int32_t value) {
  std::lock_guard<std::mutex> lock(g_lock);
  g_reply = value;
}

std::unique_ptr<UnitObject> UnitBench::Create(const UnitTypeDescriptor& kind, const Bytes& block,
                                              uint32_t unitId, const UnitPlace& place,
                                              uint32_t style) {
  const UnitCreateArgs args{
      &block,          style,       place.parent != nullptr ? place.parent : parent_,
      place.controlId, nullptr,     place.left,
      place.top,       place.width, place.height,
      kWindowId,       unitId};
  return std::unique_ptr<UnitObject>(
      KindOperation<CreateUnitOperation>(kind, unit_operation::kCreate)(args));
}

bool SetNumber(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property, int64_t number) {
  return Set(unit, kind, property, NumberValue(number));
}

bool SetBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
              const Bytes& bytes) {
  return Set(unit, kind, property, BytesValue(bytes));
}

bool SetText(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
             const std::string& text) {
  return SetBytes(unit, kind, property, Bytes(text.begin(), text.end()));
}

int64_t GetNumber(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property) {
  return Get(unit, kind, property).number;
}

Bytes GetBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property) {
  return Get(unit, kind, property).bytes;
}

std::string GetText(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property) {
  const Bytes bytes = GetBytes(unit, kind, property);
  return std::string(bytes.begin(), bytes.end());
}

Bytes MainFormBlock(uint32_t unitId) {
  const std::vector<WindowDescription> form = app::MainWindowForm();
  const int index = form.at(0).table.IndexOf(unitId);
  UnitRecordFields fields;
  if (index < 0 || !ParseUnitRecord(form[0].table.records[static_cast<size_t>(index)], &fields)) {
    ADD_FAILURE() << "no unit " << std::hex << unitId << " in the main window's form";
    return Bytes();
  }
  return fields.propertyBlock;
}

Bytes ToBytes(std::span<const uint8_t> bytes) {
  return Bytes(bytes.begin(), bytes.end());
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

void ClickAt(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace mnemora::bench
