// The one road onto the UI thread, which owns the windows, the units and
// the window set. Work is queued inside this process; the message to the
// hidden owner window only says "run the queue", so a message that another
// program sends runs nothing but work that was queued here anyway.
//
// The channel is open from the hidden owner's creation until the last
// loaded window starts to close (it opens again when a window loads) and
// shuts for good when the runtime shuts down. Work offered to a closed
// channel is dropped: after the window is gone no other thread reaches a
// unit, the window set or the runtime's records.
#pragma once

#include <windows.h>

#include <functional>
#include <type_traits>
#include <utility>

namespace mnemora {

// The hidden owner's message: run what is queued. Its parameters are ignored.
inline constexpr UINT kRunUiQueueMessage = 0x83E8;

// Makes the calling thread the UI thread and the hidden owner the window the
// channel wakes. Until then every caller counts as the UI thread.
void BindUiThreadChannel(HWND hideOwner);

bool OnUiThread();

// Opening and closing belong to the UI thread. Closing completes every
// waiting caller with "not run" and drops queued posts; after a final close
// the channel never opens again.
void OpenUiThreadChannel();
void CloseUiThreadChannel();
void CloseUiThreadChannelForGood();

// Runs the queue; the hidden owner calls it for kRunUiQueueMessage.
void RunQueuedUiWork();

// Runs work on the UI thread and waits for it; on the UI thread it runs at
// once. Returns false, without running it, when the channel is closed.
bool RunOnUiThread(void (*work)(void* context), void* context);

template <typename Work>
bool RunOnUiThread(Work&& work) {
  using Callable = std::remove_reference_t<Work>;
  return RunOnUiThread([](void* context) { (*static_cast<Callable*>(context))(); },
                       static_cast<void*>(&work));
}

// Queues work to run on the UI thread later, without waiting; it is dropped
// when the channel closes before its turn. Returns false when dropped at once.
bool PostToUiThread(std::function<void()> work);

}  // namespace mnemora
