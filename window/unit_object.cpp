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

// The child window a parent notification names in lParam, if any; only a
// handle, checked by UnitObjectOf before anything uses it. No kind takes
// WM_NOTIFY or WM_DRAWITEM from its parent, so their lParam, a pointer, is
// never read here.
HWND NotifyingChild(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return reinterpret_cast<HWND>(lParam);
    default:
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
  HWND child = NotifyingChild(message, lParam);
  UnitObject* unit = UnitObjectOf(child);
  return unit != nullptr && unit->OnReflectedMessage(message, wParam, lParam, result);
}

}  // namespace mnemora
