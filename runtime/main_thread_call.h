// Running a piece of work on the main thread, which owns the windows and
// the runtime's window bookkeeping, from whatever thread asks for it.
#pragma once

#include <utility>

namespace mnemora {

// On the main thread (or before one is recorded) work runs at once;
// otherwise it is sent to the hidden owner window and the caller waits.
void RunOnMainThread(void (*work)(void* context), void* context);

template <typename Work>
void RunOnMainThread(Work&& work) {
  RunOnMainThread([](void* context) { (*static_cast<Work*>(context))(); },
                  static_cast<void*>(&work));
}

}  // namespace mnemora
