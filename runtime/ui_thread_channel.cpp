#include "runtime/ui_thread_channel.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace mnemora {
namespace {

// A caller waiting for its work; it lives on the caller's stack until the
// UI thread has run it or the channel has dropped it.
struct WaitingCall {
  enum class State { kQueued, kRunning, kDone, kDropped };
  void (*work)(void* context);
  void* context;
  State state = State::kQueued;
};

// One queue keeps each thread's calls and posts in the order it made them.
struct QueuedWork {
  WaitingCall* call = nullptr;   // a waiting caller, or
  std::function<void()> posted;  // work nobody waits for
};

struct Channel {
  std::mutex mutex;
  std::condition_variable finished;
  std::deque<QueuedWork> queue;
  // Read without the lock on every unit operation; set once at binding.
  std::atomic<DWORD> uiThread{0};
  HWND wake = nullptr;
  bool open = false;
  bool closedForGood = false;
  // A run message is on its way; one is enough for any number of items.
  bool wakePending = false;
};

Channel& TheChannel() {
  static Channel channel;
  return channel;
}

// A lost run message (a full message queue) must not strand a waiting
// caller: it asks again after this long.
constexpr std::chrono::milliseconds kWakeRetry{100};

void WakeUiThread(Channel& channel, bool force) {
  if ((force || !channel.wakePending) && channel.wake != nullptr) {
    channel.wakePending = PostMessageA(channel.wake, kRunUiQueueMessage, 0, 0) != 0;
  }
}

void DropQueued(Channel& channel) {
  std::deque<QueuedWork> dropped;
  dropped.swap(channel.queue);
  for (QueuedWork& item : dropped) {
    if (item.call != nullptr) {
      item.call->state = WaitingCall::State::kDropped;
    }
  }
  channel.finished.notify_all();
}

}  // namespace

void BindUiThreadChannel(HWND hideOwner) {
  Channel& channel = TheChannel();
  std::lock_guard lock(channel.mutex);
  channel.uiThread = GetCurrentThreadId();
  channel.wake = hideOwner;
  channel.open = !channel.closedForGood;
}

bool OnUiThread() {
  const DWORD uiThread = TheChannel().uiThread.load();
  return uiThread == 0 || uiThread == GetCurrentThreadId();
}

void OpenUiThreadChannel() {
  Channel& channel = TheChannel();
  std::lock_guard lock(channel.mutex);
  channel.open = !channel.closedForGood;
}

void CloseUiThreadChannel() {
  Channel& channel = TheChannel();
  std::lock_guard lock(channel.mutex);
  channel.open = false;
  DropQueued(channel);
}

void CloseUiThreadChannelForGood() {
  Channel& channel = TheChannel();
  std::lock_guard lock(channel.mutex);
  channel.open = false;
  channel.closedForGood = true;
  channel.wake = nullptr;
  DropQueued(channel);
}

void RunQueuedUiWork() {
  Channel& channel = TheChannel();
  std::unique_lock lock(channel.mutex);
  if (channel.uiThread != GetCurrentThreadId()) {
    return;
  }
  channel.wakePending = false;
  while (!channel.queue.empty()) {
    QueuedWork item = std::move(channel.queue.front());
    channel.queue.pop_front();
    if (item.call != nullptr) {
      item.call->state = WaitingCall::State::kRunning;
      lock.unlock();
      item.call->work(item.call->context);
      lock.lock();
      item.call->state = WaitingCall::State::kDone;
      channel.finished.notify_all();
    } else {
      lock.unlock();
      item.posted();
      item.posted = nullptr;  // what it holds is freed outside the lock
      lock.lock();
    }
  }
}

bool RunOnUiThread(void (*work)(void* context), void* context) {
  Channel& channel = TheChannel();
  if (OnUiThread()) {
    work(context);
    return true;
  }
  std::unique_lock lock(channel.mutex);
  if (!channel.open) {
    return false;
  }
  WaitingCall call{work, context};
  channel.queue.push_back(QueuedWork{&call, {}});
  WakeUiThread(channel, false);
  const auto settled = [&] {
    return call.state == WaitingCall::State::kDone || call.state == WaitingCall::State::kDropped;
  };
  while (!channel.finished.wait_for(lock, kWakeRetry, settled)) {
    if (call.state == WaitingCall::State::kQueued) {
      WakeUiThread(channel, true);
    }
  }
  return call.state == WaitingCall::State::kDone;
}

bool PostToUiThread(std::function<void()> work) {
  Channel& channel = TheChannel();
  if (channel.uiThread.load() == 0) {
    work();
    return true;
  }
  std::unique_lock lock(channel.mutex);
  if (!channel.open) {
    return false;
  }
  channel.queue.push_back(QueuedWork{nullptr, std::move(work)});
  WakeUiThread(channel, false);
  return true;
}

}  // namespace mnemora
