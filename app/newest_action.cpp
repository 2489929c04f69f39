#include "app/newest_action.h"

#include <atomic>

#include "app/main_window_units.h"

namespace mnemora::app {
namespace {

// Read by query workers, written by the UI thread.
std::atomic<uint32_t> g_newestAction{0};

}  // namespace

uint32_t BeginAction() {
  return ++g_newestAction;
}

bool IsNewestAction(uint32_t action) {
  return g_newestAction.load() == action;
}

bool MayShowResultOf(uint32_t action) {
  return IsNewestAction(action) && MainWindowOpen();
}

}  // namespace mnemora::app
