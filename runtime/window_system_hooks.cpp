#include "runtime/window_system_hooks.h"

#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"
#include "runtime/runtime_service.h"

namespace mnemora {
namespace {

// An empty window set: no window is described, none is loaded.
const char* NoWindowName(uint32_t) {
  return nullptr;
}
bool NoUnit(uint32_t, uint32_t, uint32_t*, const char**) {
  return false;
}
void NoForms(const uint8_t*, uint32_t) {}
void NoWindowsToFree() {}
bool NoWindowToLoad(uint32_t) {
  return false;
}
bool NoWindowLoaded() {
  return false;
}
std::vector<uint32_t> NoLoadedWindows() {
  return {};
}
bool NoIdleEvent(uint32_t, uint32_t) {
  return false;
}

[[noreturn]] void WindowNotLoaded(uint32_t windowId, uint32_t unitId) {
  RaiseRuntimeError("未载入欲访问窗口组件所在的窗口", 0, static_cast<int32_t>(windowId),
                    static_cast<int32_t>(unitId));
}

uint64_t ReadFromNoWindow(uint32_t windowId, uint32_t unitId, int32_t, int32_t) {
  WindowNotLoaded(windowId, unitId);
}

void WriteToNoWindow(uint32_t windowId, uint32_t unitId, int32_t, int32_t, uint32_t, uint32_t) {
  WindowNotLoaded(windowId, unitId);
}

bool NothingToPreTranslate(MSG*) {
  return false;
}

// Events name a window that no description has; unless events are
// suppressed, that is the report for a missing event window.
intptr_t EmptySetService(int32_t code, intptr_t parameter1, intptr_t, bool* handled) {
  if (code != runtime_service::kCallEventHandler &&
      code != runtime_service::kCallTypedEventHandler) {
    return 0;
  }
  *handled = true;
  if (TheRuntimeApp().eventSuppression > 0) {
    return 0;
  }
  const auto* record = reinterpret_cast<const uint32_t*>(parameter1);
  RaiseRuntimeError("未找到引发事件的窗口", 0, static_cast<int32_t>(record[0]),
                    static_cast<int32_t>(record[1]));
}

intptr_t NoPropertyHelper(int32_t, int32_t, const intptr_t*) {
  return 0;
}

constexpr WindowSystemHooks kEmptyWindowSystem = {
    {NoWindowName, NoUnit},
    NoForms,
    NoWindowsToFree,
    NoWindowToLoad,
    NoWindowLoaded,
    NoLoadedWindows,
    NoIdleEvent,
    ReadFromNoWindow,
    WriteToNoWindow,
    NothingToPreTranslate,
    EmptySetService,
    NoPropertyHelper,
};

WindowSystemHooks g_windowSystem = kEmptyWindowSystem;

}  // namespace

const WindowSystemHooks& EmptyWindowSystem() {
  return kEmptyWindowSystem;
}

void InstallWindowSystem(const WindowSystemHooks& hooks) {
  g_windowSystem = hooks;
}

const WindowSystemHooks& CurrentWindowSystem() {
  return g_windowSystem;
}

}  // namespace mnemora
