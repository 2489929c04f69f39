// Re-creating a unit whose kind needs a new native window to show a
// property change.
#include <vector>

#include "runtime/forged_end.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_service.h"
#include "window/unit_properties.h"
#include "window/unit_properties_common.h"
#include "window/units/unit_interface.h"
#include "window/window_loader.h"

namespace mnemora {
namespace {

constexpr uint32_t kCarriesChildren = 0x80;
constexpr uint32_t kParentLaysOut = 0x100000;

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

std::vector<HWND> DirectChildren(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> direct;
  for (HWND child : all) {
    if (GetParent(child) == parent) {
      direct.push_back(child);
    }
  }
  return direct;
}

}  // namespace

void RecreateUnit(LiveWindow& window, size_t index) {
  RecordLive& live = window.live[index];
  UnitObject* old = live.object.get();
  const UnitTypeDescriptor* kind = old != nullptr ? ResolveUnitKind(old->Kind()) : nullptr;
  if (kind == nullptr || kind->getInterface == nullptr) {
    return;
  }
  auto save = reinterpret_cast<SaveUnitOperation>(kind->getInterface(unit_operation::kSave));
  if (save == nullptr) {
    return;
  }
  RuntimeService(runtime_service::kSuppressEvents, 0, 0);
  HWND oldHandle = old->Handle();
  HWND focus = GetFocus();
  const bool hadFocus = focus == oldHandle || IsChild(oldHandle, focus);
  const bool wasVisible = (GetWindowLongPtrA(oldHandle, GWL_STYLE) & WS_VISIBLE) != 0;
  const bool wasDisabled = !IsWindowEnabled(oldHandle);
  const RECT rect = UnitRectangle(oldHandle);
  HWND parent = GetParent(oldHandle);
  const int controlId = GetDlgCtrlID(oldHandle);
  const Bytes block = save(old);

  const uint32_t style = (wasDisabled ? kUnitStyleDisabled : 0) |
                         (window.units[index].tabStop ? kUnitStyleTabStop : 0);
  std::unique_ptr<UnitObject> previous = std::move(live.object);
  TheWindowSet().recreating = true;
  if (!CreateRecordUnit(window, index, block, style, parent, controlId, rect)) {
    live.object = std::move(previous);
    TheWindowSet().recreating = false;
    RuntimeService(runtime_service::kAllowEvents, 0, 0);
    return;
  }
  HWND newHandle = live.object->Handle();
  if ((kind->stateFlags & kCarriesChildren) != 0) {
    for (HWND child : DirectChildren(oldHandle)) {
      SetParent(child, newHandle);
    }
  }
  SetWindowPos(newHandle, oldHandle, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageA(newHandle, kUnitsPlacedMessage, 0, 0);
  SendMessageA(newHandle, kWindowShownMessage, 0, 0);
  if ((kind->stateFlags & kParentLaysOut) != 0) {
    SendMessageA(parent, kLayoutMessage, 0, 0);
  }
  if (wasVisible) {
    ShowWindow(newHandle, SW_SHOWNA);
  }
  EndWindow(oldHandle);
  window.unitAtHandle.erase(oldHandle);
  previous.reset();
  TheWindowSet().recreating = false;
  if (hadFocus) {
    SetFocus(newHandle);
  }
  RuntimeService(runtime_service::kAllowEvents, 0, 0);
}

}  // namespace mnemora
