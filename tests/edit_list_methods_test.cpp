// The list box and edit box methods called as library commands with unit
// references, on units the real window system loaded from a form.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "runtime/entry_table.h"
#include "runtime/heap_blocks.h"
#include "runtime/init_runtime.h"
#include "runtime/runtime_app.h"
#include "runtime/win_handles.h"
#include "runtime/window_system_hooks.h"
#include "tests/unit_bench.h"
#include "window/units/edit_box.h"
#include "window/units/edit_box_block.h"
#include "window/units/edit_box_methods.h"
#include "window/units/list_box.h"
#include "window/units/list_box_block.h"
#include "window/units/list_box_methods.h"
#include "window/units/window_block.h"
#include "window/units/window_kind.h"
#include "window/window_set.h"

namespace mnemora {
namespace {

using bench::PumpUntilThreadEnds;
using bench::WindowTextOf;

constexpr uint32_t kWindowId = 0x52010001;
constexpr uint32_t kList = 0x16010089;
constexpr uint32_t kNoteBox = 0x1601008F;
constexpr uint32_t kQueryBox = 0x1601008D;
constexpr uint32_t kEditBoxKind = 0x00010005;
constexpr uint32_t kListBoxKind = 0x0001000F;

// Handlers record which unit's event 0 reached them, and on which thread.
struct Call {
  int routine;
  DWORD threadId;
};
std::mutex g_callsLock;
std::vector<Call> g_calls;

template <int Routine>
HandlerOutcome Record(int32_t, const HandlerArg*) {
  std::lock_guard<std::mutex> lock(g_callsLock);
  g_calls.push_back(Call{Routine, GetCurrentThreadId()});
  return HandlerOutcome{};
}

enum : int32_t { kListChanged, kNoteChanged, kQueryChanged };
const EventHandler kRoutines[] = {Record<kListChanged>, Record<kNoteChanged>,
                                  Record<kQueryChanged>};
const HandlerTable kHandlers = {3, kRoutines};

int CallsOf(int routine) {
  std::lock_guard<std::mutex> lock(g_callsLock);
  int count = 0;
  for (const Call& call : g_calls) {
    count += call.routine == routine ? 1 : 0;
  }
  return count;
}

UnitRecordFields Unit(uint32_t kind, const char* name, RECT r, Bytes block, int32_t handler) {
  UnitRecordFields f;
  f.kind = kind;
  f.name = name;
  f.left = r.left;
  f.top = r.top;
  f.width = r.right;
  f.height = r.bottom;
  f.mousePointer = Bytes(4, 0);
  f.stateFlags = 5;
  f.events = {{0, handler}};
  f.propertyBlock = std::move(block);
  return f;
}

WindowDescription Form() {
  WindowDescription d;
  d.windowId = kWindowId;
  d.secondDword = 0x19010003;
  UnitRecordFields window;
  window.kind = kWindowKind;
  window.width = 400;
  window.height = 300;
  window.mousePointer = Bytes(4, 0);
  window.stateFlags = 1;
  window.propertyBlock = WritePropertyBlock(WindowProperties{.title = "方法"});
  const UnitRecordFields list =
      Unit(kListBoxKind, "列表框1", RECT{8, 16, 104, 224},
           WritePropertyBlock(
               ListBoxProperties{.borderStyle = 5, .textColour = 0x00FF8800, .items = {"stored"}}),
           kListChanged);
  const UnitRecordFields note =
      Unit(kEditBoxKind, "编辑框_功能", RECT{144, 16, 200, 120},
           WritePropertyBlock(EditBoxProperties{.borderStyle = 3, .multiLine = 1, .scrollBars = 3}),
           kNoteChanged);
  const UnitRecordFields query =
      Unit(kEditBoxKind, "编辑框_查询", RECT{144, 150, 100, 24}, Bytes(), kQueryChanged);
  d.table.ids = {0x06010000, kList, kNoteBox, kQueryBox};
  d.table.records = {BuildUnitRecord(window), BuildUnitRecord(list), BuildUnitRecord(note),
                     BuildUnitRecord(query)};
  return d;
}

ArgValue Reference(uint32_t unitId, uint32_t kind) {
  return ArgValue{kWindowId, unitId, kind};
}

std::string TakeText(const ArgValue& result) {
  EXPECT_EQ(result.type, type_code::kText);
  auto* text = static_cast<char*>(result.AsPointer());
  std::string copy = text != nullptr ? text : "";
  MemFree(text);
  return copy;
}

class EditListMethodsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UseProcessHeap();
    bench::MakeThisTheUiThread();
    kinds_[0] = kWindowKindDescriptor;
    kinds_[4] = kEditBoxDescriptor;
    kinds_[14] = kListBoxDescriptor;
  }

  void SetUp() override {
    RuntimeApp& app = TheRuntimeApp();
    app.libraries = {&library_};
    app.eventSuppression = 0;
    app.mainLoopStarted = false;
    InstallFormWindowSystem();
    TheWindowSet().handlers = &kHandlers;
    AddWindowDescriptions({Form()});
    kEntryTable.LoadWindow(kWindowId);
    g_calls.clear();
  }

  void TearDown() override {
    FreeWindows();
    InstallWindowSystem(EmptyWindowSystem());
    TheRuntimeApp().libraries.clear();
    bench::PumpMessages();
  }

  HWND UnitHandle(uint32_t unitId) {
    const LiveWindow& w = *FindLiveWindow(kWindowId);
    return w.live[static_cast<size_t>(FindRecordIndex(w, unitId))].object->Handle();
  }

  ArgValue Call(LibraryCommand command, std::vector<ArgValue> args) {
    return kEntryTable.CallCoreCommand(command, static_cast<int32_t>(args.size()), args.data());
  }

  int32_t Selection() {
    return static_cast<int32_t>(kEntryTable.ReadUnitProperty(kWindowId, kList, 16, -1));
  }

  static inline UnitTypeDescriptor kinds_[15] = {};
  const LibraryInfo library_{"", "core", nullptr, 15, kinds_, 0, nullptr};
};

TEST_F(EditListMethodsTest, ListMethodsActOnTheLoadedListAndSelectionWritesRaiseNothing) {
  const ArgValue list = Reference(kList, kListBoxKind);
  EXPECT_EQ(Call(GetItemCount, {list}).AsInt32(), 1);
  EXPECT_EQ(Call(AddItem, {list, ArgValue::Text("mov")}).AsInt32(), 1);
  EXPECT_EQ(Call(AddItem, {list, ArgValue::Text("add"), ArgValue::Integer(7)}).AsInt32(), 2);
  EXPECT_EQ(SendMessageA(UnitHandle(kList), LB_GETITEMDATA, 2, 0), 7);
  EXPECT_EQ(Call(GetItemCount, {list}).AsInt32(), 3);
  EXPECT_EQ(TakeText(Call(GetItemText, {list, ArgValue::Integer(1)})), "mov");
  EXPECT_EQ(TakeText(Call(GetItemText, {list, ArgValue::Integer(3)})), "");
  EXPECT_EQ(TakeText(Call(GetItemText, {list, ArgValue::Integer(-1)})), "");

  kEntryTable.WriteUnitProperty(kWindowId, kList, 16, -1, 5, 0);
  EXPECT_EQ(Selection(), 2);
  const ArgValue selected = Call(IsItemSelected, {list, ArgValue::Integer(2)});
  EXPECT_EQ(selected.type, type_code::kBoolean);
  EXPECT_EQ(selected.AsInt32(), 1);
  EXPECT_EQ(Call(IsItemSelected, {list, ArgValue::Integer(3)}).AsInt32(), 0);
  EXPECT_EQ(CallsOf(kListChanged), 0);

  Call(ClearItems, {list});
  EXPECT_EQ(Call(GetItemCount, {list}).AsInt32(), 0);
  EXPECT_EQ(Selection(), -1);
  kEntryTable.WriteUnitProperty(kWindowId, kList, 16, -1, 0, 0);
  EXPECT_EQ(Selection(), -1);
}

TEST_F(EditListMethodsTest, AppendTextAndContentWritesReachTheHandlers) {
  const ArgValue note = Reference(kNoteBox, kEditBoxKind);
  Call(AppendText, {note, ArgValue::Text("ab"), ArgValue::Text("cd")});
  EXPECT_EQ(WindowTextOf(UnitHandle(kNoteBox)), "abcd");
  EXPECT_EQ(CallsOf(kNoteChanged), 2);

  const ArgValue text = ArgValue::Text("mov");
  kEntryTable.WriteUnitProperty(kWindowId, kQueryBox, 8, -1, text.low, text.high);
  kEntryTable.WriteUnitProperty(kWindowId, kQueryBox, 8, -1, text.low, text.high);
  EXPECT_EQ(CallsOf(kQueryChanged), 2);
  auto* read = reinterpret_cast<char*>(kEntryTable.ReadUnitProperty(kWindowId, kQueryBox, 8, -1));
  EXPECT_STREQ(read, "mov");
  MemFree(read);
  EXPECT_EQ(CallsOf(kNoteChanged), 2);
}

TEST_F(EditListMethodsTest, ReferencesToNoLiveUnitGiveEmptyResults) {
  const ArgValue missing = Reference(0x16017777, kListBoxKind);
  EXPECT_EQ(Call(AddItem, {missing, ArgValue::Text("x")}).AsInt32(), -1);
  EXPECT_EQ(Call(GetItemCount, {missing}).AsInt32(), 0);
  EXPECT_EQ(TakeText(Call(GetItemText, {missing, ArgValue::Integer(0)})), "");
  EXPECT_EQ(Call(IsItemSelected, {missing, ArgValue::Integer(0)}).AsInt32(), 0);
  Call(AppendText, {Reference(0x16017777, kEditBoxKind), ArgValue::Text("x")});
  // A list method given an edit box finds no list there.
  EXPECT_EQ(Call(AddItem, {Reference(kNoteBox, kEditBoxKind), ArgValue::Text("x")}).AsInt32(), -1);
  EXPECT_EQ(WindowTextOf(UnitHandle(kNoteBox)), "");
}

TEST_F(EditListMethodsTest, RecreatedUnitsKeepStoredItemsAndTypedTextAndAnswerTheirMethods) {
  const ArgValue list = Reference(kList, kListBoxKind);
  Call(AddItem, {list, ArgValue::Text("added")});
  HWND oldList = UnitHandle(kList);
  kEntryTable.WriteUnitProperty(kWindowId, kList, 9, -1, 1, 0);  // auto sort
  EXPECT_NE(UnitHandle(kList), oldList);
  EXPECT_EQ(GetWindowLongPtrA(UnitHandle(kList), GWL_STYLE) & LBS_SORT, LBS_SORT);
  EXPECT_EQ(Call(GetItemCount, {list}).AsInt32(), 1);  // items added since are gone
  EXPECT_EQ(Call(AddItem, {list, ArgValue::Text("a")}).AsInt32(), 0);

  HWND query = UnitHandle(kQueryBox);
  SendMessageA(query, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
  kEntryTable.WriteUnitProperty(kWindowId, kQueryBox, 21, -1, 1, 0);  // automatic adjuster
  HWND rebuilt = UnitHandle(kQueryBox);
  EXPECT_NE(rebuilt, query);
  EXPECT_EQ(WindowTextOf(rebuilt), "typed");
  const LiveWindow& window = *FindLiveWindow(kWindowId);
  HWND adjuster =
      window.live[static_cast<size_t>(FindRecordIndex(window, kQueryBox))].object->Companion();
  ASSERT_NE(adjuster, nullptr);
  EXPECT_EQ(GetParent(adjuster), GetParent(rebuilt));
  EXPECT_TRUE(IsWindowVisible(adjuster));
}

TEST_F(EditListMethodsTest, AWorkerFillsAndSelectsThroughTheCommandsWhileTheUiThreadPumps) {
  const ArgValue list = Reference(kList, kListBoxKind);
  const ArgValue note = Reference(kNoteBox, kEditBoxKind);
  int32_t selection = 0;
  std::string selectedText;
  std::function<void()> worker = [&] {
    Call(ClearItems, {list});
    for (int i = 0; i < 50; ++i) {
      const std::string name = "op" + std::to_string(i);
      Call(AddItem, {list, ArgValue::Text(name.c_str())});
      const std::string line = name + "\r\n";
      Call(AppendText, {note, ArgValue::Text(line.c_str())});
    }
    const ArgValue query = ArgValue::Text("mov");
    kEntryTable.WriteUnitProperty(kWindowId, kQueryBox, 8, -1, query.low, query.high);
    kEntryTable.WriteUnitProperty(kWindowId, kList, 16, -1, 20, 0);
    selection = Selection();
    selectedText = TakeText(Call(GetItemText, {list, ArgValue::Integer(selection)}));
  };
  UniqueKernelHandle thread = testing_support::StartWorker(&worker);
  ASSERT_TRUE(PumpUntilThreadEnds(thread.Get()));

  EXPECT_EQ(selection, 20);
  EXPECT_EQ(selectedText, "op20");
  EXPECT_EQ(Call(GetItemCount, {list}).AsInt32(), 50);
  std::string expected;
  for (int i = 0; i < 50; ++i) {
    expected += "op" + std::to_string(i) + "\r\n";
  }
  EXPECT_EQ(WindowTextOf(UnitHandle(kNoteBox)), expected);
  EXPECT_EQ(CallsOf(kNoteChanged), 50);
  EXPECT_EQ(CallsOf(kQueryChanged), 1);
  EXPECT_EQ(CallsOf(kListChanged), 0);
  for (const auto& call : g_calls) {
    EXPECT_EQ(call.threadId, GetCurrentThreadId());
  }
}

TEST_F(EditListMethodsTest, OnceTheWindowIsClosedAWorkersUnitOperationsFindNoUnitAndReportNothing) {
  const ArgValue list = Reference(kList, kListBoxKind);
  const ArgValue note = Reference(kNoteBox, kEditBoxKind);
  DestroyWindow(NativeWindowOf(*FindLiveWindow(kWindowId)));
  // Each of these, on the UI thread, would find the window gone and report;
  // a worker's late operation is dropped instead, with the "no unit" result.
  std::vector<int32_t> results;
  uint64_t content = 1;
  std::function<void()> worker = [&] {
    results.push_back(Call(AddItem, {list, ArgValue::Text("late")}).AsInt32());
    results.push_back(Call(GetItemCount, {list}).AsInt32());
    results.push_back(Call(IsItemSelected, {list, ArgValue::Integer(0)}).AsInt32());
    Call(AppendText, {note, ArgValue::Text("late")});
    Call(ClearItems, {list});
    kEntryTable.WriteUnitProperty(kWindowId, kList, 16, -1, 0, 0);
    content = kEntryTable.ReadUnitProperty(kWindowId, kNoteBox, 8, -1);
  };
  UniqueKernelHandle thread = testing_support::StartWorker(&worker);
  ASSERT_TRUE(PumpUntilThreadEnds(thread.Get()));
  EXPECT_EQ(results, (std::vector<int32_t>{-1, 0, 0}));
  EXPECT_EQ(content, 0u);
  EXPECT_EQ(CallsOf(kNoteChanged), 0);
}

}  // namespace
}  // namespace mnemora
