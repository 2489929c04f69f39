#include "window/units/control_unit.h"

#include <unordered_map>
#include <utility>

#include "runtime/assertion.h"
#include "runtime/forged_end.h"
#include "window/unit_events.h"
#include "window/unit_support.h"
#include "window/units/caption_kind_support.h"

namespace mnemora {
namespace {

// The hooked controls of this process and their units. Every control is
// created, hooked and destroyed on the UI thread, which alone reads it.
std::unordered_map<HWND, ControlUnit*>& HookedControls() {
  static std::unordered_map<HWND, ControlUnit*> units;
  return units;
}

}  // namespace

ControlUnit::~ControlUnit() {
  // A living control would still send its messages to this object.
  MNEMORA_ASSERT(!controlAlive_);
}

bool ControlUnit::CreateControl(const UnitCreateArgs& args, const char* className, const char* text,
                                DWORD style) {
  HWND control = CreateUnitWindow(args, 0, className, text, style);
  return control != nullptr && Subclass(control);
}

bool ControlUnit::Subclass(HWND control) {
  Attach(control);
  controlAlive_ = true;
  HookedControls()[control] = this;
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProc)));
  if (previous_ == nullptr) {
    HookedControls().erase(control);
    return false;
  }
  return true;
}

LRESULT ControlUnit::CallNext(UINT message, WPARAM wParam, LPARAM lParam) const {
  return CallWindowProcA(previous_, Handle(), message, wParam, lParam);
}

LRESULT ControlUnit::CallNextRaisingFocus(UINT message, WPARAM wParam, LPARAM lParam) const {
  const LRESULT result = CallNext(message, wParam, lParam);
  RaiseFocusEvent(WindowId(), UnitId(), message == WM_SETFOCUS);
  return result;
}

// A later hook keeps ours as its saved procedure: it stays, and ours then
// hands the control's messages on for it.
void ControlUnit::Unhook() {
  HookedControls().erase(Handle());
  if (GetWindowLongPtrA(Handle(), GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&HookProc)) {
    SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  }
}

// The control's messages still come here while it goes; its WM_NCDESTROY
// finds it no longer alive and sends no report.
void ControlUnit::DestroyControl() {
  if (std::exchange(controlAlive_, false)) {
    EndWindow(Handle());
  }
}

void ControlUnit::ShowFont(const Bytes& fontRecord, BOOL redraw) {
  UniqueFont font = CreateUnitFont(fontRecord);
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontOrDefault(font)), redraw);
  font_ = std::move(font);
}

HFONT ControlUnit::Font() const {
  return FontOrDefault(font_);
}

void ControlUnit::ReplaceBackground(uint32_t storedColour, COLORREF colour) {
  background_.Reset(storedColour == kButtonFaceColour ? nullptr : CreateSolidBrush(colour));
}

HBRUSH ControlUnit::Background() const {
  return background_ ? background_.Get() : GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT ControlUnit::AnswerColours(WPARAM dc, uint32_t textColour,
                                   uint32_t backgroundColour) const {
  SetTextColor(reinterpret_cast<HDC>(dc), ResolveColour(textColour));
  SetBkColor(reinterpret_cast<HDC>(dc), ResolveColour(backgroundColour));
  return reinterpret_cast<LRESULT>(Background());
}

// A message of a control no unit holds any more (a later hook calling on)
// goes to the control's own class procedure.
LRESULT CALLBACK ControlUnit::HookProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsForgedEnd(control, message)) {
    return 0;
  }
  const auto found = HookedControls().find(control);
  if (found == HookedControls().end()) {
    const auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrA(control, GCLP_WNDPROC));
    return CallWindowProcA(own, control, message, wParam, lParam);
  }
  ControlUnit* self = found->second;
  return message == WM_NCDESTROY ? self->OnNcDestroy(wParam, lParam)
                                 : self->OnMessage(message, wParam, lParam);
}

// Unhooks before handing the control its last message; the report comes
// last because the window system may delete this object in it.
LRESULT ControlUnit::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
  Unhook();
  const bool wentFirst = std::exchange(controlAlive_, false);
  OnControlGone();
  const LRESULT result = CallNext(WM_NCDESTROY, wParam, lParam);
  if (wentFirst && report_ == GoneReport::kReported) {
    ReportUnitDestroyed(WindowId(), UnitId());
  }
  return result;
}

}  // namespace mnemora
