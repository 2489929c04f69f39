#include "window/units/own_window_unit.h"

#include <utility>

#include "runtime/assertion.h"
#include "window/units/caption_kind_support.h"

namespace mnemora {

OwnWindowUnit::~OwnWindowUnit() {
  // A living window would keep this object attached.
  MNEMORA_ASSERT(!nativeAlive_);
}

void OwnWindowUnit::AttachNative(HWND window) {
  Attach(window);
  nativeAlive_ = true;
}

// The window's messages still come here while it goes; its WM_NCDESTROY
// finds it no longer alive and sends no report.
void OwnWindowUnit::DestroyNative() {
  if (std::exchange(nativeAlive_, false)) {
    DestroyWindow(Handle());
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
