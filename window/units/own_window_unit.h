// The units that paint themselves in a window of the runtime's own class
// (label, transparent label, drawing panel). Only units of one kind attach
// to the windows of its class, so the class's procedure finds its unit as
// the window's attached object.
//
// One liveness rule, as for the system control kinds: the window lives from
// AttachNative until whichever end comes first. The kind's destructor ends
// it with DestroyNative, without a report; the window's WM_NCDESTROY ends it
// and tells the window system, which may delete the object in that call.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/forged_end.h"
#include "window/unit_object.h"
#include "window/units/unit_interface.h"

namespace mnemora {

class OwnWindowUnit : public UnitObject {
 public:
  ~OwnWindowUnit() override;

 protected:
  OwnWindowUnit(uint32_t windowId, uint32_t unitId, uint32_t kind)
      : UnitObject(windowId, unitId, kind) {}

  // Creates the unit's window where its creation arguments put it and
  // attaches this object to it; false when the window is not made.
  bool CreateOwnWindow(const UnitCreateArgs& args, DWORD exStyle, const char* className,
                       const char* text, DWORD style);
  // Attaches this object to its freshly created window.
  void AttachNative(HWND window);
  // For the kind's destructor, while its members still live: destroys the
  // window if it still lives, without a report.
  void DestroyNative();
  // The kind paints its client area into dc (for WM_PAINT, WM_PRINTCLIENT).
  virtual void Paint(HDC dc) = 0;
  // What every kind of its own window does with a message the kind has no
  // case for: painting through Paint, the focus events, the window's end
  // at WM_NCDESTROY (reporting the window going first, after which nothing
  // may touch this object), and the default procedure for the rest.
  LRESULT OnCommonMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);

  bool nativeAlive_ = false;
};

// The procedure of a kind's own window class: each message goes to the
// attached unit's OnMessage, or to the default procedure while none is.
template <typename Unit>
LRESULT CALLBACK OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsForgedEnd(window, message)) {
    return 0;
  }
  auto* unit = static_cast<Unit*>(UnitObjectOf(window));
  return unit != nullptr ? unit->OnMessage(message, wParam, lParam)
                         : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace mnemora
