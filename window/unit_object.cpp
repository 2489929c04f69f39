#include "window/unit_object.h"

namespace mnemora {
namespace {

constexpr char kUnitProperty[] = "MnemoraUnitObject";

// The child window a parent notification comes from, if any.
HWND NotifyingChild(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
      return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return reinterpret_cast<HWND>(lParam);
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    default:
      (void)wParam;
      return nullptr;
  }
}

}  // namespace

UnitObject::~UnitObject() {
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
}

UnitObject* UnitObjectOf(HWND window) {
  return window != nullptr ? static_cast<UnitObject*>(GetPropA(window, kUnitProperty)) : nullptr;
}

bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND child = NotifyingChild(message, wParam, lParam);
  UnitObject* unit = UnitObjectOf(child);
  return unit != nullptr && unit->OnReflectedMessage(message, wParam, lParam, result);
}

}  // namespace mnemora
