#include "runtime/default_icons.h"

#include "runtime/runtime_app.h"

namespace mnemora {
namespace {

HICON LoadDefaultIcon(HINSTANCE program, int size) {
  return static_cast<HICON>(LoadImageA(program, "DEFAULT_ICON", IMAGE_ICON, size, size, 0));
}

}  // namespace

void GetDefaultIcons(HICON* icons) {
  RuntimeApp& app = TheRuntimeApp();
  if (!app.iconsLoaded) {
    const HINSTANCE program = GetModuleHandleA(nullptr);
    app.largeIcon.Reset(LoadDefaultIcon(program, 32));
    app.smallIcon.Reset(LoadDefaultIcon(program, 16));
    app.iconsLoaded = true;
  }
  icons[0] = app.largeIcon.Get();
  icons[1] = app.smallIcon.Get();
}

}  // namespace mnemora
