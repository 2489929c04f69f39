#include "window/units/caption_kind_support.h"

#include "runtime/forged_end.h"
#include "runtime/runtime_service.h"
#include "window/window_services.h"

namespace mnemora {

DWORD UnitWindowStyle(uint32_t unitStyle) {
  return ((unitStyle & kUnitStyleDisabled) != 0 ? WS_DISABLED : 0) |
         ((unitStyle & kUnitStyleTabStop) != 0 ? WS_TABSTOP : 0);
}

HWND CreateUnitWindow(const UnitCreateArgs& args, DWORD exStyle, const char* className,
                      const char* text, DWORD style) {
  return CreateWatchedWindow(exStyle, className, text, style | UnitWindowStyle(args.style),
                             args.left, args.top, args.width, args.height, args.parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.controlId)));
}

bool KeepCaption(LRESULT taken, LPARAM text, std::string* caption) {
  if (taken == FALSE) {
    return false;
  }
  const char* newCaption = reinterpret_cast<const char*>(text);
  *caption = newCaption != nullptr ? newCaption : "";
  return true;
}

bool EnsureUnitClass(const char* name, WNDPROC procedure, HBRUSH background) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (GetClassInfoA(instance, name, &existing)) {
    return true;
  }
  WNDCLASSA unitClass{};
  unitClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  unitClass.lpfnWndProc = procedure;
  unitClass.hInstance = instance;
  unitClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  unitClass.hbrBackground = background;
  unitClass.lpszClassName = name;
  return RegisterClassA(&unitClass) != 0;
}

void ReportUnitDestroyed(uint32_t windowId, uint32_t unitId) {
  RuntimeService(window_service::kObjectDestroyed, static_cast<intptr_t>(windowId),
                 static_cast<intptr_t>(unitId));
}

}  // namespace mnemora
