#include "tests/unit_kind_bench.h"

#include <gtest/gtest.h>

#include "app/main_window_form.h"
#include "runtime/runtime_service.h"
#include "runtime/window_system_hooks.h"
#include "window/gdi_scopes.h"
#include "window/picture_decoding.h"
#include "window/unit_events.h"
#include "window/window_services.h"

namespace mnemora::bench {
namespace {

constexpr char kParentClass[] = "MnemoraKindBenchParent";

std::vector<RaisedEvent> g_events;
std::vector<DestructionReport> g_destroyed;

intptr_t RecordingService(int32_t code, intptr_t parameter1, intptr_t parameter2, bool* handled) {
  switch (code) {
    case runtime_service::kCallEventHandler: {
      const auto* record = reinterpret_cast<const EventRecord*>(parameter1);
      g_events.push_back(RaisedEvent{
          record->windowId, record->unitId, record->event,
          std::vector<int32_t>(record->arguments, record->arguments + record->argumentCount)});
      *handled = true;
      return 0;
    }
    case window_service::kObjectDestroyed:
      g_destroyed.push_back(
          DestructionReport{static_cast<uint32_t>(parameter1), static_cast<uint32_t>(parameter2)});
      *handled = true;
      return 0;
    default:
      return 0;
  }
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (ReflectToChild(message, wParam, lParam, &reflected)) {
    return reflected;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterParentClass() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ParentProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  windowClass.lpszClassName = kParentClass;
  RegisterClassA(&windowClass);
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

Pixels ToPixels(const PictureBitmap& bitmap) {
  GdiFlush();
  Pixels pixels;
  pixels.width = bitmap.Width();
  pixels.height = bitmap.Height();
  pixels.values.assign(bitmap.Pixels(),
                       bitmap.Pixels() + static_cast<size_t>(pixels.width) * pixels.height);
  for (uint32_t& value : pixels.values) {
    value &= 0x00FFFFFF;
  }
  return pixels;
}

// A bitmap of the window's client size, filled with a colour no unit paints
// so that unpainted pixels show.
PictureBitmap ClientBitmap(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  PictureBitmap bitmap = PictureBitmap::Create(client.right, client.bottom);
  if (bitmap) {
    std::fill(bitmap.Pixels(), bitmap.Pixels() + client.right * client.bottom, 0x00123456u);
  }
  return bitmap;
}

}  // namespace

KindBench::KindBench() {
  WindowSystemHooks hooks = EmptyWindowSystem();
  hooks.service = RecordingService;
  InstallWindowSystem(hooks);
  g_events.clear();
  g_destroyed.clear();
  RegisterParentClass();
  parent_ = CreateWindowExA(0, kParentClass, "bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                            480, 360, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

KindBench::~KindBench() {
  DestroyWindow(parent_);
  PumpMessages();
  InstallWindowSystem(EmptyWindowSystem());
}

std::vector<RaisedEvent> KindBench::EventsOf(uint32_t unitId) const {
  std::vector<RaisedEvent> events;
  for (const RaisedEvent& event : g_events) {
    if (event.unitId == unitId) {
      events.push_back(event);
    }
  }
  return events;
}

const std::vector<DestructionReport>& KindBench::Destroyed() const {
  return g_destroyed;
}

void KindBench::ClearEvents() {
  g_events.clear();
  g_destroyed.clear();
}

std::unique_ptr<UnitObject> KindBench::Create(const UnitTypeDescriptor& kind, const Bytes& block,
                                              uint32_t unitId, RECT rectangle, uint32_t style,
                                              HWND parent) {
  UnitCreateArgs args{&block,
                      style,
                      parent != nullptr ? parent : parent_,
                      100,
                      nullptr,
                      static_cast<int>(rectangle.left),
                      static_cast<int>(rectangle.top),
                      static_cast<int>(rectangle.right),
                      static_cast<int>(rectangle.bottom),
                      kWindowId,
                      unitId};
  return std::unique_ptr<UnitObject>(
      KindOperation<CreateUnitOperation>(kind, unit_operation::kCreate)(args));
}

bool SetNumber(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property, int64_t number) {
  return KindOperation<SetPropertyOperation>(kind, unit_operation::kSetProperty)(
      unit, property - 8, NumberValue(number));
}

bool SetBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
              const Bytes& bytes) {
  return KindOperation<SetPropertyOperation>(kind, unit_operation::kSetProperty)(unit, property - 8,
                                                                                 BytesValue(bytes));
}

int64_t GetNumber(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property) {
  return Get(unit, kind, property).number;
}

Bytes GetBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property) {
  return Get(unit, kind, property).bytes;
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

uint32_t Rgb(COLORREF colour) {
  return static_cast<uint32_t>(GetRValue(colour)) << 16 |
         static_cast<uint32_t>(GetGValue(colour)) << 8 | GetBValue(colour);
}

Pixels PrintClient(HWND window) {
  PictureBitmap bitmap = ClientBitmap(window);
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  {
    ScopedSelection selected(dc.Get(), bitmap.Handle());
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()),
                 PRF_CLIENT | PRF_ERASEBKGND);
  }
  return ToPixels(bitmap);
}

Pixels ScreenPixels(HWND window) {
  PictureBitmap bitmap = ClientBitmap(window);
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  {
    ScopedSelection selected(dc.Get(), bitmap.Handle());
    WindowDc screen(window);
    BitBlt(dc.Get(), 0, 0, bitmap.Width(), bitmap.Height(), screen.Get(), 0, 0, SRCCOPY);
  }
  return ToPixels(bitmap);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace mnemora::bench
