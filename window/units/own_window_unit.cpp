#include "window/units/own_window_unit.h"

#include <utility>

#include "runtime/assertion.h"
#include "runtime/forged_end.h"
#include "window/gdi_scopes.h"
#include "window/unit_events.h"
#include "window/units/caption_kind_support.h"

namespace mnemora {

OwnWindowUnit::~OwnWindowUnit() {
  // A living window would keep this object attached.
  MNEMORA_ASSERT(!nativeAlive_);
}

bool OwnWindowUnit::CreateOwnWindow(const UnitCreateArgs& args, DWORD exStyle,
                                    const char* className, const char* text, DWORD style) {
  HWND window = CreateUnitWindow(args, exStyle, className, text, style);
  if (window == nullptr) {
    return false;
  }
  AttachNative(window);
  return true;
}

void OwnWindowUnit::AttachNative(HWND window) {
  Attach(window);
  nativeAlive_ = true;
}

// The window's messages still come here while it goes; its WM_NCDESTROY
// finds it no longer alive and sends no report.
void OwnWindowUnit::DestroyNative() {
  if (std::exchange(nativeAlive_, false)) {
    EndWindow(Handle());
  }
}

LRESULT OwnWindowUnit::OnCommonMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      const PaintScope paint(Handle());
      if (paint.Dc() != nullptr) {
        Paint(paint.Dc());
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      DefWindowProcA(Handle(), message, wParam, lParam);
      RaiseFocusEvent(WindowId(), UnitId(), message == WM_SETFOCUS);
      return 0;
    case WM_NCDESTROY:
      return OnNcDestroy(wParam, lParam);
    default:
      return DefWindowProcA(Handle(), message, wParam, lParam);
  }
}

LRESULT OwnWindowUnit::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
  const bool wentFirst = std::exchange(nativeAlive_, false);
  const LRESULT result = DefWindowProcA(Handle(), WM_NCDESTROY, wParam, lParam);
  if (wentFirst) {
    ReportUnitDestroyed(WindowId(), UnitId());
  }
  return result;
}

}  // namespace mnemora
