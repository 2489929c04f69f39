// The one road onto the UI thread: work from other threads runs there in
// the order it was offered, a closed channel runs nothing and strands no
// waiting caller, and the run message itself carries nothing to call.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "runtime/hide_owner.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_app.h"
#include "runtime/ui_thread_channel.h"
#include "runtime/win_handles.h"
#include "tests/worker_thread.h"

namespace mnemora {
namespace {

using testing_support::PumpUntilThreadEnds;
using testing_support::StartWorker;

class UiThreadChannelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static const HWND owner = CreateHideOwnerWindow();
    BindUiThreadChannel(owner);
  }
  void SetUp() override { OpenUiThreadChannel(); }
};

int g_calledWith = 0;
void RecordCall(int value) {
  g_calledWith = value;
}

TEST_F(UiThreadChannelTest, WorkFromAWorkerRunsOnTheUiThreadInOrderAndTheWorkerWaits) {
  const DWORD uiThread = GetCurrentThreadId();
  std::vector<std::string> order;
  std::vector<DWORD> threads;
  bool sawItsOwnCall = false;
  std::function<void()> worker = [&] {
    EXPECT_FALSE(OnUiThread());
    PostToUiThread([&] {
      order.push_back("posted 1");
      threads.push_back(GetCurrentThreadId());
    });
    int value = 0;
    EXPECT_TRUE(RunOnUiThread([&] {
      order.push_back("called");
      threads.push_back(GetCurrentThreadId());
      value = 42;
    }));
    // The call has run when RunOnUiThread returns.
    sawItsOwnCall = value == 42;
    PostToUiThread([&] { order.push_back("posted 2"); });
  };
  UniqueKernelHandle thread = StartWorker(&worker);
  ASSERT_TRUE(thread);
  ASSERT_TRUE(PumpUntilThreadEnds(thread.Get()));
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageA(&message);
  }
  EXPECT_TRUE(sawItsOwnCall);
  EXPECT_EQ(order, (std::vector<std::string>{"posted 1", "called", "posted 2"}));
  EXPECT_EQ(threads, (std::vector<DWORD>{uiThread, uiThread}));
  EXPECT_TRUE(OnUiThread());
  bool ranAtOnce = false;
  EXPECT_TRUE(RunOnUiThread([&] { ranAtOnce = true; }));
  EXPECT_TRUE(ranAtOnce) << "on the UI thread work runs at once";
}

TEST_F(UiThreadChannelTest, ClosingReleasesAWaitingCallerAndDropsQueuedWork) {
  std::atomic<bool> queued{false};
  std::atomic<int> result{-1};
  bool postedRan = false;
  bool calledRan = false;
  std::function<void()> worker = [&] {
    PostToUiThread([&] { postedRan = true; });
    queued = true;
    result = RunOnUiThread([&] { calledRan = true; }) ? 1 : 0;
  };
  UniqueKernelHandle thread = StartWorker(&worker);
  ASSERT_TRUE(thread);
  // The UI thread does not pump: the worker's call stays queued until the
  // channel closes under it.
  while (!queued) {
    Sleep(1);
  }
  Sleep(50);
  CloseUiThreadChannel();
  ASSERT_EQ(WaitForSingleObject(thread.Get(), 10000), WAIT_OBJECT_0)
      << "a caller waiting on a closed channel is released";
  EXPECT_EQ(result, 0);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageA(&message);
  }
  EXPECT_FALSE(postedRan);
  EXPECT_FALSE(calledRan);

  // Work offered while it is closed is refused at once.
  std::function<void()> late = [&] {
    result = RunOnUiThread([&] { calledRan = true; }) ? 1 : 0;
    EXPECT_FALSE(PostToUiThread([&] { postedRan = true; }));
  };
  thread = StartWorker(&late);
  ASSERT_TRUE(PumpUntilThreadEnds(thread.Get()));
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(calledRan);
  EXPECT_FALSE(postedRan);
}

TEST_F(UiThreadChannelTest, TheRunMessageCallsNothingItCarries) {
  HWND owner = FindWindowA("_QN_HideOwner", nullptr);
  ASSERT_NE(owner, nullptr);
  g_calledWith = 0;
  // What another program could send: a function's address and its argument.
  SendMessageA(owner, kRunUiQueueMessage, reinterpret_cast<WPARAM>(&RecordCall), 77);
  PostMessageA(owner, kRunUiQueueMessage, reinterpret_cast<WPARAM>(&RecordCall), 78);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageA(&message);
  }
  EXPECT_EQ(g_calledWith, 0);
}

TEST_F(UiThreadChannelTest, ProcessingEventsOnAWorkerLeavesTheUiThreadsRecordsAlone) {
  const UINT uiLast = TheRuntimeApp().LastMessage().message;
  bool ownQueueEmptied = false;
  std::function<void()> worker = [&] {
    PostThreadMessageA(GetCurrentThreadId(), WM_APP + 5, 0, 0);
    ProcessPendingMessages();
    MSG left;
    ownQueueEmptied = !PeekMessageA(&left, nullptr, 0, 0, PM_NOREMOVE);
  };
  UniqueKernelHandle thread = StartWorker(&worker);
  ASSERT_TRUE(PumpUntilThreadEnds(thread.Get()));
  EXPECT_TRUE(ownQueueEmptied);
  EXPECT_EQ(TheRuntimeApp().LastMessage().message, uiLast);
}

}  // namespace
}  // namespace mnemora
