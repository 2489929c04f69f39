#include "runtime/idle_callbacks.h"

#include <algorithm>

namespace mnemora {
namespace {

void RemoveAt(IdleCallbackLists& lists, size_t index) {
  const auto offset = static_cast<std::ptrdiff_t>(index);
  lists.windows.erase(lists.windows.begin() + offset);
  lists.callbacks.erase(lists.callbacks.begin() + offset);
  lists.parameters.erase(lists.parameters.begin() + offset);
}

}  // namespace

void AddIdleCallback(HWND window, IdleCallback callback, intptr_t parameter) {
  IdleCallbackLists& lists = TheRuntimeApp().idleCallbacks;
  if (window == nullptr || callback == nullptr || !IsWindow(window) ||
      std::find(lists.windows.begin(), lists.windows.end(), window) != lists.windows.end()) {
    return;
  }
  lists.windows.push_back(window);
  lists.callbacks.push_back(callback);
  lists.parameters.push_back(parameter);
}

void RemoveIdleCallback(HWND window) {
  IdleCallbackLists& lists = TheRuntimeApp().idleCallbacks;
  const auto found = std::find(lists.windows.begin(), lists.windows.end(), window);
  if (found != lists.windows.end()) {
    RemoveAt(lists, static_cast<size_t>(found - lists.windows.begin()));
  }
}

void RunIdleCallbacks() {
  IdleCallbackLists& lists = TheRuntimeApp().idleCallbacks;
  for (size_t i = lists.windows.size(); i-- > 0;) {
    if (i >= lists.windows.size()) {
      continue;  // a callback removed entries behind us
    }
    if (IsWindow(lists.windows[i])) {
      lists.callbacks[i](lists.parameters[i]);
    } else {
      RemoveAt(lists, i);
    }
  }
}

}  // namespace mnemora
