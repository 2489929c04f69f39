// The units shown by a system control (button, edit, list box, group box).
// The control's window procedure is replaced by an ANSI one that finds this
// object in a table of this process, never through a window property, which
// any program can remove; at the end the saved procedure goes back only
// while ours is still the control's, so whoever hooked the control after us
// stays hooked. (The platform's own subclass chain is a Unicode procedure:
// it makes the control a Unicode window and hands every hook Unicode
// messages, and under Wine the program's start then failed one run in
// three.)
//
// One liveness rule: the control lives from Subclass until whichever end
// comes first. The kind's destructor ends it with DestroyControl, without a
// report; the control's WM_NCDESTROY ends it and, for a kind that reports,
// tells the window system, which may delete the object in that call.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/win_handles.h"
#include "window/form_bytes.h"
#include "window/unit_object.h"
#include "window/units/unit_interface.h"

namespace mnemora {

class ControlUnit : public UnitObject {
 public:
  ~ControlUnit() override;

 protected:
  // Whether the control going before its object is reported (service 2000).
  enum class GoneReport : bool { kNone, kReported };

  ControlUnit(uint32_t windowId, uint32_t unitId, uint32_t kind, GoneReport report)
      : UnitObject(windowId, unitId, kind), report_(report) {}

  // Creates the unit's control where its creation arguments put it, then
  // attaches this object and hooks the control's window procedure. False
  // when the control is not made, or refuses the hook: it then lives
  // unhooked until DestroyControl.
  bool CreateControl(const UnitCreateArgs& args, const char* className, const char* text,
                     DWORD style);
  bool ControlAlive() const { return controlAlive_; }
  // What the procedure we replaced makes of a message.
  LRESULT CallNext(UINT message, WPARAM wParam, LPARAM lParam) const;
  // For a control that sends no focus notifications: WM_SETFOCUS or
  // WM_KILLFOCUS handed on, then the unit's focus event raised.
  LRESULT CallNextRaisingFocus(UINT message, WPARAM wParam, LPARAM lParam) const;
  // For the kind's destructor, while its members still live: destroys the
  // control if it still lives, without a report.
  void DestroyControl();

  // Every message of the control but WM_NCDESTROY.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallNext(message, wParam, lParam);
  }
  // At WM_NCDESTROY, already unhooked, before the control's own handling.
  virtual void OnControlGone() {}

  // Hands the control the font a stored record describes (the default GUI
  // font for an empty record); the control has the new font before the old
  // one is deleted.
  void ShowFont(const Bytes& fontRecord, BOOL redraw);
  HFONT Font() const;
  // The background brush: the system's button-face brush, which follows the
  // current button-face colour, while the stored colour says button face;
  // otherwise a solid brush of the colour.
  void ReplaceBackground(uint32_t storedColour, COLORREF colour);
  HBRUSH Background() const;
  // The answer to the control's colour question (WM_CTLCOLOR...): the
  // stored text and background colours set in the DC, and the background
  // brush.
  LRESULT AnswerColours(WPARAM dc, uint32_t textColour, uint32_t backgroundColour) const;

 private:
  bool Subclass(HWND control);
  static LRESULT CALLBACK HookProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);
  void Unhook();

  WNDPROC previous_ = nullptr;
  GoneReport report_;
  bool controlAlive_ = false;
  UniqueFont font_;         // null: the default GUI font
  UniqueBrush background_;  // null: the system's button-face brush
};

}  // namespace mnemora
