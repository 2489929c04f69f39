#include "runtime/main_thread_call.h"

#include <windows.h>

#include "runtime/hide_owner.h"
#include "runtime/runtime_app.h"

namespace mnemora {

void RunOnMainThread(void (*work)(void* context), void* context) {
  const RuntimeApp& app = TheRuntimeApp();
  if (app.mainThreadId == 0 || app.mainThreadId == GetCurrentThreadId() ||
      app.hideOwner == nullptr) {
    work(context);
    return;
  }
  SendMessageA(app.hideOwner, kRunOnMainThreadMessage, reinterpret_cast<WPARAM>(work),
               reinterpret_cast<LPARAM>(context));
}

}  // namespace mnemora
