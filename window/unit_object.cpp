#include "window/unit_object.h"

#include <unordered_set>

namespace mnemora {
namespace {

constexpr char kUnitProperty[] = "MnemoraUnitObject";

// Every live unit object. A window property can be set by any program, so
// the pointer one holds counts only when it is a live unit of that window.
// Only the UI thread, which owns the windows, reads or changes it.
std::unordered_set<const UnitObject*>& LiveUnits() {
  static std::unordered_set<const UnitObject*> units;
  return units;
}

// The child window a parent notification comes from, if any.
HWND NotifyingChild(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
      // The header is ours only when a control of this thread sent it; from
      // elsewhere lParam points nowhere in this process.
      return InSendMessage() ? nullptr : reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return reinterpret_cast<HWND>(lParam);
    case WM_DRAWITEM:
      return InSendMessage() ? nullptr : reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    default:
      (void)wParam;
      return nullptr;
  }
}

}  // namespace

UnitObject::~UnitObject() {
  LiveUnits().erase(this);
  if (handle_ != nullptr && IsWindow(handle_)) {
    RemovePropA(handle_, kUnitProperty);
  }
}

bool UnitObject::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT*) {
  return false;
}

void UnitObject::Attach(HWND handle) {
  handle_ = handle;
  SetPropA(handle, kUnitProperty, this);
  LiveUnits().insert(this);
}

UnitObject* UnitObjectOf(HWND window) {
  if (window == nullptr) {
    return nullptr;
  }
  auto* unit = static_cast<UnitObject*>(GetPropA(window, kUnitProperty));
  return LiveUnits().contains(unit) && unit->Handle() == window ? unit : nullptr;
}

bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND child = NotifyingChild(message, wParam, lParam);
  UnitObject* unit = UnitObjectOf(child);
  return unit != nullptr && unit->OnReflectedMessage(message, wParam, lParam, result);
}

}  // namespace mnemora
