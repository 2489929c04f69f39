#include "window/units/control_unit.h"

#include <commctrl.h>

#include <utility>

#include "runtime/assertion.h"
#include "window/unit_support.h"
#include "window/units/caption_kind_support.h"

namespace mnemora {
namespace {

// One unit per control, so one procedure and one id name its link.
constexpr UINT_PTR kSubclassId = 1;

}  // namespace

ControlUnit::~ControlUnit() {
  // A living control would keep this object as its reference data.
  MNEMORA_ASSERT(!controlAlive_);
}

bool ControlUnit::Subclass(HWND control) {
  Attach(control);
  controlAlive_ = true;
  return SetWindowSubclass(control, &SubclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

LRESULT ControlUnit::CallNext(UINT message, WPARAM wParam, LPARAM lParam) const {
  return DefSubclassProc(Handle(), message, wParam, lParam);
}

// The control's messages still come here while it goes; its WM_NCDESTROY
// finds it no longer alive and sends no report.
void ControlUnit::DestroyControl() {
  if (std::exchange(controlAlive_, false)) {
    DestroyWindow(Handle());
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

LRESULT CALLBACK ControlUnit::SubclassProc(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR unit) {
  auto* self = reinterpret_cast<ControlUnit*>(unit);
  return message == WM_NCDESTROY ? self->OnNcDestroy(wParam, lParam)
                                 : self->OnMessage(message, wParam, lParam);
}

// Leaves the chain before handing the control its last message, as the
// chain asks; the report comes last because the window system may delete
// this object in it.
LRESULT ControlUnit::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
  RemoveWindowSubclass(Handle(), &SubclassProc, kSubclassId);
  const bool wentFirst = std::exchange(controlAlive_, false);
  OnControlGone();
  const LRESULT result = CallNext(WM_NCDESTROY, wParam, lParam);
  if (wentFirst && report_ == GoneReport::kReported) {
    ReportUnitDestroyed(WindowId(), UnitId());
  }
  return result;
}

}  // namespace mnemora
