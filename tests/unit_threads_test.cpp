// Worker threads using edit and list box units while the UI thread pumps,
// as the application's query workers do.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "runtime/win_handles.h"
#include "tests/unit_bench.h"
#include "window/units/edit_box.h"
#include "window/units/edit_box_block.h"
#include "window/units/list_box.h"
#include "window/units/list_box_block.h"

namespace mnemora {
namespace {

using namespace bench;

constexpr uint32_t kNoteBox = 0x1601008F;
constexpr uint32_t kList = 0x16010089;
constexpr int kLines = 150;
constexpr int kItemsPerWorker = 150;

using testing_support::StartWorker;

std::string Line(int i) {
  return "line " + std::to_string(i) + "\r\n";
}

std::string ItemName(int worker, int i) {
  char name[16];
  std::snprintf(name, sizeof name, "%c%03d", 'a' + worker, i);
  return name;
}

TEST(UnitThreadsTest, WorkersAppendAndFillASortedListWhileTheUiThreadPumps) {
  UnitBench bench;
  auto edit = bench.Create(kEditBoxDescriptor,
                           WritePropertyBlock(EditBoxProperties{.multiLine = 1, .scrollBars = 2}),
                           kNoteBox, {10, 10, 300, 200});
  auto list = bench.Create(kListBoxDescriptor, WritePropertyBlock(ListBoxProperties{.autoSort = 1}),
                           kList, {10, 10, 104, 200});
  ASSERT_NE(edit, nullptr);
  ASSERT_NE(list, nullptr);
  HWND editWindow = edit->Handle();
  HWND listWindow = list->Handle();
  bench.ClearEvents();

  std::function<void()> appender = [&] {
    for (int i = 0; i < kLines; ++i) {
      AppendToEditBox(editWindow, Line(i).c_str());
    }
  };
  // Two workers fill the sorted list at once; each item's data is its number,
  // which only stays with its item when an add and its data go in together.
  std::vector<std::function<void()>> adders;
  for (int worker = 0; worker < 2; ++worker) {
    adders.push_back([&, worker] {
      for (int i = 0; i < kItemsPerWorker; ++i) {
        AddListItem(listWindow, ItemName(worker, i).c_str(), worker * 1000 + i);
      }
    });
  }
  UniqueKernelHandle appending = StartWorker(&appender);
  UniqueKernelHandle firstAdding = StartWorker(&adders[0]);
  UniqueKernelHandle secondAdding = StartWorker(&adders[1]);
  ASSERT_TRUE(appending && firstAdding && secondAdding);
  // Meanwhile the UI thread does its own work on the list.
  AddListItem(listWindow, "ui", -1);
  ASSERT_TRUE(PumpUntilThreadEnds(appending.Get()));
  ASSERT_TRUE(PumpUntilThreadEnds(firstAdding.Get()));
  ASSERT_TRUE(PumpUntilThreadEnds(secondAdding.Get()));

  std::string expected;
  for (int i = 0; i < kLines; ++i) {
    expected += Line(i);
  }
  EXPECT_EQ(WindowTextOf(editWindow), expected);
  const std::vector<RaisedEvent> events = bench.Events();
  EXPECT_EQ(
      std::count_if(events.begin(), events.end(),
                    [](const RaisedEvent& e) { return e.unitId == kNoteBox && e.event == 0; }),
      kLines);
  for (const RaisedEvent& raised : events) {
    EXPECT_EQ(raised.threadId, GetCurrentThreadId());
  }

  ASSERT_EQ(ListItemCount(listWindow), 2 * kItemsPerWorker + 1);
  for (int index = 0; index < ListItemCount(listWindow); ++index) {
    const std::string text = ListItemText(listWindow, index);
    const LRESULT data = SendMessageA(listWindow, LB_GETITEMDATA, index, 0);
    if (text == "ui") {
      EXPECT_EQ(data, -1);
    } else {
      ASSERT_EQ(text.size(), 4u);
      EXPECT_EQ(data, (text[0] - 'a') * 1000 + std::atoi(text.c_str() + 1)) << text;
    }
  }
}

}  // namespace
}  // namespace mnemora
