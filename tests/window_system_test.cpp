// Loads windows built with the form writer under the real window system and
// checks them through Win32 queries. A test unit kind (a native edit
// control) stands in for the kinds of the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/entry_table.h"
#include "runtime/heap_blocks.h"
#include "runtime/init_runtime.h"
#include "runtime/runtime_app.h"
#include "runtime/window_system_hooks.h"
#include "runtime/message_loop.h"
#include "window/event_dispatch.h"
#include "window/font_property.h"
#include "window/message_pretranslation.h"
#include "window/unit_properties.h"
#include "window/units/unit_interface.h"
#include "window/units/window_block.h"
#include "window/units/window_kind.h"
#include "window/window_commands.h"
#include "window/window_loader.h"
#include "window/window_set.h"

namespace mnemora {
namespace {

constexpr uint32_t kWindowId = 0x52010001;
constexpr uint32_t kTestKind = 0x00010002;

// --- the test kind: records what was created, in order ---------------------

struct Created {
  uint32_t unitId;
  int controlId;
  bool visibleAtCreation;
};
std::vector<Created> g_created;

class TestUnit : public UnitObject {
 public:
  TestUnit(const UnitCreateArgs& args, HWND handle)
      : UnitObject(args.windowId, args.unitId, kTestKind) {
    Attach(handle);
  }
};

UnitObject* CreateTestUnit(const UnitCreateArgs& args) {
  if (!args.propertyBlock->empty() && (*args.propertyBlock)[0] > 1) {
    return nullptr;  // a version this kind does not read
  }
  HWND handle = CreateWindowExA(0, "EDIT", "", WS_CHILD | args.style, args.left, args.top,
                                args.width, args.height, args.parent,
                                reinterpret_cast<HMENU>(static_cast<intptr_t>(args.controlId)),
                                GetModuleHandleA(nullptr), nullptr);
  if (handle == nullptr) {
    return nullptr;
  }
  g_created.push_back(Created{args.unitId, args.controlId, IsWindowVisible(handle) != FALSE});
  return new TestUnit(args, handle);
}

// Saved as an empty block, so that the unit can be re-created.
Bytes SaveTestUnit(UnitObject*) {
  return Bytes();
}

void* GetTestInterface(int32_t operation) {
  switch (operation) {
    case unit_operation::kCreate:
      return reinterpret_cast<void*>(&CreateTestUnit);
    case unit_operation::kSave:
      return reinterpret_cast<void*>(&SaveTestUnit);
    default:
      return nullptr;
  }
}

const UnitTypeDescriptor kTestKindDescriptor = {"测试",  "Test",           {}, 0x40, {}, 0,
                                                nullptr, GetTestInterface, {}};

// --- handlers that record the events they get ------------------------------

struct Call {
  int routine;
  std::vector<int32_t> args;
};
std::vector<Call> g_calls;
HandlerOutcome g_nextOutcome;

template <int Routine>
HandlerOutcome Record(int32_t count, const HandlerArg* args) {
  Call call{Routine, {}};
  for (int32_t i = 0; i < count; ++i) {
    call.args.push_back(args[i].value.AsInt32());
  }
  g_calls.push_back(call);
  return std::exchange(g_nextOutcome, HandlerOutcome{});
}

const EventHandler kRoutines[] = {Record<0>, Record<1>, Record<2>, Record<3>, Record<4>,
                                  Record<5>, Record<6>, Record<7>, Record<8>};
const HandlerTable kHandlers = {9, kRoutines};

// Routine numbers.
enum : int32_t {
  kCreatedHandler,
  kMovedHandler,
  kResizedHandler,
  kCloseAskedHandler,
  kClosingHandler,
  kKeyHandler,
  kCharHandler,
  kClickHandler,
  kIdleHandler,
};

// --- the form ----------------------------------------------------------------

Bytes Dword(uint32_t v) {
  return Bytes{uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

UnitRecordFields Unit(uint32_t id, const char* name, uint32_t parent, RECT r, uint32_t flags) {
  (void)id;
  UnitRecordFields f;
  f.kind = kTestKind;
  f.name = name;
  f.left = r.left;
  f.top = r.top;
  f.width = r.right;
  f.height = r.bottom;
  f.parent = parent;
  f.mousePointer = Dword(0);
  f.stateFlags = flags;
  return f;
}

// Record 0 the window; 1 "甲" inside 3; 2 "乙" hidden on the window; 3 "丙"
// a container on the window; 4 "丁" on the window; 5 with a block version
// the kind rejects (only in the failing form).
WindowDescription TestForm(bool withRejectedUnit) {
  WindowDescription d;
  d.windowId = kWindowId;
  d.secondDword = 0x19010003;
  UnitRecordFields window;
  window.kind = kWindowKind;
  window.width = 300;
  window.height = 200;
  window.mousePointer = Dword(0);
  window.stateFlags = 1;
  window.events = {{0, kCreatedHandler},     {3, kMovedHandler},   {4, kResizedHandler},
                   {12, kCloseAskedHandler}, {1, kClosingHandler}, {7, kIdleHandler}};
  WindowProperties properties;
  properties.title = "测试窗口";
  window.propertyBlock = WritePropertyBlock(properties);

  UnitRecordFields a = Unit(0x16010002, "甲", 0x16010004, RECT{5, 6, 50, 20}, 5);
  a.events = {{-9, kKeyHandler}, {-11, kCharHandler}, {-1, kClickHandler}};
  a.tag = "标记";
  UnitRecordFields b = Unit(0x16010003, "乙", 0, RECT{10, 10, 40, 20}, 4);
  UnitRecordFields c = Unit(0x16010004, "丙", 0, RECT{20, 40, 200, 100}, 5);
  c.children = {0x16010002};
  UnitRecordFields e = Unit(0x16010005, "丁", 0, RECT{20, 150, 60, 20}, 5);
  d.table.ids = {0x06010000, 0x16010002, 0x16010003, 0x16010004, 0x16010005};
  d.table.records = {BuildUnitRecord(window), BuildUnitRecord(a), BuildUnitRecord(b),
                     BuildUnitRecord(c), BuildUnitRecord(e)};
  if (withRejectedUnit) {
    UnitRecordFields bad = Unit(0x16010006, "戊", 0, RECT{0, 0, 10, 10}, 1);
    bad.propertyBlock = Dword(7);
    d.table.ids.push_back(0x16010006);
    d.table.records.push_back(BuildUnitRecord(bad));
  }
  return d;
}

void WritePointer(uint32_t windowId, uint32_t unitId, int32_t property, int32_t fontPart,
                  const void* pointer) {
  const auto value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(pointer));
  kEntryTable.WriteUnitProperty(windowId, unitId, property, fontPart, static_cast<uint32_t>(value),
                                static_cast<uint32_t>(value >> 32));
}

// --- fixture -------------------------------------------------------------------

class WindowSystemTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UseProcessHeap();
    kinds_[0] = kWindowKindDescriptor;
    kinds_[1] = kTestKindDescriptor;
  }

  void SetUp() override {
    RuntimeApp& app = TheRuntimeApp();
    app.libraries = {&library_};
    app.eventSuppression = 0;
    app.mainLoopStarted = false;
    InstallFormWindowSystem();
    TheWindowSet().handlers = &kHandlers;
    g_calls.clear();
    g_created.clear();
  }

  void TearDown() override {
    FreeWindows();
    InstallWindowSystem(EmptyWindowSystem());
    TheRuntimeApp().libraries.clear();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  void Load(bool withRejectedUnit = false) { AddWindowDescriptions({TestForm(withRejectedUnit)}); }

  HWND Native() { return NativeWindowOf(*FindLiveWindow(kWindowId)); }
  HWND UnitHandle(uint32_t unitId) {
    const LiveWindow& w = *FindLiveWindow(kWindowId);
    return w.live[static_cast<size_t>(FindRecordIndex(w, unitId))].object->Handle();
  }
  std::vector<int> Routines() {
    std::vector<int> r;
    for (const Call& c : g_calls) {
      r.push_back(c.routine);
    }
    return r;
  }

  static inline UnitTypeDescriptor kinds_[2] = {};
  const LibraryInfo library_{"", "core", nullptr, 2, kinds_, 0, nullptr};
};

TEST_F(WindowSystemTest, LoadCreatesUnitsInOrderPlacesAndStacksThem) {
  Load();
  kEntryTable.LoadWindow(kWindowId);
  HWND window = Native();
  ASSERT_NE(window, nullptr);
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STREQ(className, "KXWindow");
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "测试窗口");

  // Units from the last record down, control ids 100, 110, ... in that order,
  // every unit created hidden.
  ASSERT_EQ(g_created.size(), 4u);
  EXPECT_EQ(g_created[0].unitId, 0x16010005u);
  EXPECT_EQ(g_created[3].unitId, 0x16010002u);
  for (size_t i = 0; i < g_created.size(); ++i) {
    EXPECT_EQ(g_created[i].controlId, 100 + 10 * static_cast<int>(i));
    EXPECT_FALSE(g_created[i].visibleAtCreation);
  }
  EXPECT_EQ(GetDlgCtrlID(UnitHandle(0x16010002)), 130);

  // The unit inside the container is its child, at its stored position there.
  EXPECT_EQ(GetParent(UnitHandle(0x16010002)), UnitHandle(0x16010004));
  RECT r;
  GetWindowRect(UnitHandle(0x16010002), &r);
  MapWindowPoints(HWND_DESKTOP, UnitHandle(0x16010004), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 6);

  // Among the window's own children the earlier record is in front.
  std::vector<HWND> order;
  for (HWND at = GetWindow(window, GW_CHILD); at != nullptr; at = GetWindow(at, GW_HWNDNEXT)) {
    order.push_back(at);
  }
  const std::vector<HWND> expected = {UnitHandle(0x16010003), UnitHandle(0x16010004),
                                      UnitHandle(0x16010005)};
  EXPECT_EQ(order, expected);

  EXPECT_FALSE(IsWindowVisible(UnitHandle(0x16010003)));
  EXPECT_TRUE(IsWindowVisible(UnitHandle(0x16010005)));
  EXPECT_TRUE(IsWindowVisible(window));

  // Creation events come after the load, in the order 0, 3, 4.
  const std::vector<int> routines = Routines();
  ASSERT_GE(routines.size(), 3u);
  EXPECT_EQ((std::vector<int>(routines.begin(), routines.begin() + 3)),
            (std::vector<int>{kCreatedHandler, kMovedHandler, kResizedHandler}));

  // Loading it again only activates it.
  g_created.clear();
  kEntryTable.LoadWindow(kWindowId);
  EXPECT_TRUE(g_created.empty());
  EXPECT_EQ(Native(), window);
}

TEST_F(WindowSystemTest, PropertiesReadFromRecordsBeforeLoadAndFromWindowsAfter) {
  Load();
  EXPECT_EQ(kEntryTable.ReadUnitProperty(kWindowId, 0x16010005, 2, -1), 60u);
  EXPECT_EQ(kEntryTable.ReadUnitProperty(kWindowId, 0x16010003, 5, -1), 0u);
  auto* tag = reinterpret_cast<char*>(kEntryTable.ReadUnitProperty(kWindowId, 0x16010002, 4, -1));
  EXPECT_STREQ(tag, "标记");
  MemFree(tag);

  kEntryTable.LoadWindow(kWindowId);
  MoveWindow(UnitHandle(0x16010005), 30, 150, 77, 20, TRUE);
  EXPECT_EQ(kEntryTable.ReadUnitProperty(kWindowId, 0x16010005, 2, -1), 77u);
  EXPECT_EQ(kEntryTable.ReadUnitProperty(kWindowId, 0x16010005, 0, -1), 30u);

  // Writes clamp, move the live window and change the records.
  kEntryTable.WriteUnitProperty(kWindowId, 0x16010005, 0, -1, static_cast<uint32_t>(-40000), 0);
  EXPECT_EQ(static_cast<int32_t>(kEntryTable.ReadUnitProperty(kWindowId, 0x16010005, 0, -1)),
            -32627);
  kEntryTable.WriteUnitProperty(kWindowId, 0x16010005, 3, -1, 40000, 0);
  EXPECT_EQ(kEntryTable.ReadUnitProperty(kWindowId, 0x16010005, 3, -1), 32627u);

  const char* newTag = "新的标记文本";
  WritePointer(kWindowId, 0x16010002, 4, -1, newTag);
  tag = reinterpret_cast<char*>(kEntryTable.ReadUnitProperty(kWindowId, 0x16010002, 4, -1));
  EXPECT_STREQ(tag, newTag);
  MemFree(tag);

  kEntryTable.WriteUnitProperty(kWindowId, 0x16010003, 5, -1, 1, 0);
  EXPECT_TRUE(IsWindowVisible(UnitHandle(0x16010003)));
  kEntryTable.WriteUnitProperty(kWindowId, 0x16010005, 6, -1, 1, 0);
  EXPECT_FALSE(IsWindowEnabled(UnitHandle(0x16010005)));

  // Mouse pointers: the application sees table indexes, the record ids.
  const uint8_t index5[] = {5, 0, 0, 0};
  void* pointer = MakeByteSet(index5, 4);
  WritePointer(kWindowId, 0x16010005, 7, -1, pointer);
  MemFree(pointer);
  void* read = reinterpret_cast<void*>(kEntryTable.ReadUnitProperty(kWindowId, 0x16010005, 7, -1));
  ASSERT_EQ(ByteSetSize(read), 4u);
  EXPECT_EQ(ByteSetBytes(read)[0], 5);
  MemFree(read);
  const LiveWindow& live = *FindLiveWindow(kWindowId);
  UnitRecordFields fields;
  ASSERT_TRUE(ParseUnitRecord(live.description.table.records[4], &fields));
  EXPECT_EQ(fields.mousePointer, Dword(32651));

  // The window's title is its kind's property 8.
  auto* title = reinterpret_cast<char*>(kEntryTable.ReadUnitProperty(kWindowId, 0, 8, -1));
  EXPECT_STREQ(title, "测试窗口");
  MemFree(title);
}

// A window read from a block of an older version keeps what is set on it
// later in fields that version lacks, as every kind does.
TEST_F(WindowSystemTest, AWindowFromAnOlderBlockSavesAsTheNewestVersion) {
  WindowDescription form = TestForm(false);
  UnitRecordFields window;
  ASSERT_TRUE(ParseUnitRecord(form.table.records[0], &window));
  window.propertyBlock = WritePropertyBlock(WindowProperties{.version = 1, .title = "旧"});
  form.table.records[0] = BuildUnitRecord(window);
  AddWindowDescriptions({form});
  kEntryTable.LoadWindow(kWindowId);

  constexpr int32_t kAlwaysOnTop = 29;
  kEntryTable.WriteUnitProperty(kWindowId, 0, kAlwaysOnTop, -1, 1, 0);
  UnitObject* object = FindLiveWindow(kWindowId)->live[0].object.get();
  auto save = reinterpret_cast<SaveUnitOperation>(
      kWindowKindDescriptor.getInterface(unit_operation::kSave));
  WindowProperties saved;
  ASSERT_TRUE(ReadPropertyBlock(save(object), &saved));
  EXPECT_EQ(saved.version, WindowProperties{}.version);
  EXPECT_EQ(saved.alwaysOnTop, 1u);
  EXPECT_EQ(saved.title, "旧");
}

TEST_F(WindowSystemTest, InputBecomesEventsAndHandlersCanConsumeOrReplace) {
  Load();
  kEntryTable.LoadWindow(kWindowId);
  HWND unit = UnitHandle(0x16010002);
  g_calls.clear();

  MSG key{unit, WM_KEYDOWN, VK_NUMPAD7, 0, 0, {}};
  EXPECT_FALSE(PreTranslateWindowMessage(&key));  // no value returned: the key goes on
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].routine, kKeyHandler);
  EXPECT_EQ(g_calls[0].args, (std::vector<int32_t>{'7', 0}));

  g_nextOutcome = HandlerOutcome{true, 0};
  EXPECT_TRUE(PreTranslateWindowMessage(&key));  // a returned 0 consumes it

  g_nextOutcome = HandlerOutcome{true, 'B'};
  MSG character{unit, WM_CHAR, 'a', 0, 0, {}};
  EXPECT_FALSE(PreTranslateWindowMessage(&character));
  EXPECT_EQ(character.wParam, static_cast<WPARAM>('B'));

  MSG click{unit, WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(3, 4), 0, {}};
  PreTranslateWindowMessage(&click);
  EXPECT_EQ(g_calls.back().routine, kClickHandler);
  EXPECT_EQ(g_calls.back().args, (std::vector<int32_t>{3, 4, 1}));

  // A re-created unit's events follow it to its new window; its old
  // window stands for no unit any more.
  LiveWindow& live = *FindLiveWindow(kWindowId);
  RecreateUnit(live, static_cast<size_t>(FindRecordIndex(live, 0x16010002)));
  HWND rebuilt = UnitHandle(0x16010002);
  ASSERT_NE(rebuilt, unit);
  g_calls.clear();
  PreTranslateWindowMessage(&click);
  EXPECT_TRUE(g_calls.empty());
  click.hwnd = rebuilt;
  PreTranslateWindowMessage(&click);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].routine, kClickHandler);

  // Events are not delivered while suppressed.
  g_calls.clear();
  TheRuntimeApp().eventSuppression = 1;
  PreTranslateWindowMessage(&click);
  EXPECT_TRUE(g_calls.empty());
  TheRuntimeApp().eventSuppression = 0;
}

TEST_F(WindowSystemTest, TabWalksTheFocusOrderAndWraps) {
  Load();
  kEntryTable.LoadWindow(kWindowId);
  // Tab stops: 甲 (inside 丙), 丙, 丁; 乙 is hidden. Equal tab orders: the
  // later record first.
  SetFocus(UnitHandle(0x16010005));
  MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(PreTranslateWindowMessage(&tab));
  EXPECT_EQ(GetFocus(), UnitHandle(0x16010004));
  tab.hwnd = GetFocus();
  PreTranslateWindowMessage(&tab);
  EXPECT_EQ(GetFocus(), UnitHandle(0x16010002));
  tab.hwnd = GetFocus();
  PreTranslateWindowMessage(&tab);
  EXPECT_EQ(GetFocus(), UnitHandle(0x16010005));
}

TEST_F(WindowSystemTest, CloseAsksTwiceAndDestructionRestoresTheRecords) {
  Load();
  kEntryTable.LoadWindow(kWindowId);
  HWND window = Native();
  const char* tag = "改过";
  WritePointer(kWindowId, 0x16010002, 4, -1, tag);
  g_calls.clear();
  g_nextOutcome = HandlerOutcome{true, 0};
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(Routines(), (std::vector<int>{kCloseAskedHandler}));

  g_calls.clear();
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Routines(), (std::vector<int>{kCloseAskedHandler, kClosingHandler}));
  EXPECT_EQ(Native(), nullptr);
  auto* restored =
      reinterpret_cast<char*>(kEntryTable.ReadUnitProperty(kWindowId, 0x16010002, 4, -1));
  EXPECT_STREQ(restored, "标记");
  MemFree(restored);

  // The loop was not running, so no quit was posted.
  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(WindowSystemTest, ARejectedUnitFailsTheLoad) {
  Load(true);
  LiveWindow& window = *FindLiveWindow(kWindowId);
  EXPECT_FALSE(LoadWindowDescription(window, false, false, nullptr));
  EXPECT_EQ(TheRuntimeApp().eventSuppression.load(), 0);
}

TEST_F(WindowSystemTest, AWindowWithoutRecordsFailsItsLoadWithoutACrash) {
  WindowDescription empty;
  empty.windowId = 0x52010002;
  AddWindowDescriptions({empty});
  LiveWindow& window = *FindLiveWindow(0x52010002);
  EXPECT_FALSE(LoadWindowDescription(window, false, false, nullptr));
  EXPECT_EQ(TheRuntimeApp().eventSuppression.load(), 0);
  EXPECT_EQ(NativeWindowOf(window), nullptr);
}

// A menu item answers its four properties from its own record; nothing is
// written at the offsets of a unit record, which it does not have.
TEST_F(WindowSystemTest, MenuItemPropertiesLiveInTheItemsRecord) {
  WindowDescription form = TestForm(false);
  MenuItemFields item;
  item.name = "菜单";
  item.caption = "打开";
  item.flags = 1;  // hidden
  item.handler = kClickHandler;
  form.table.ids.insert(form.table.ids.begin() + 1, 0x26010001);
  form.table.records.insert(form.table.records.begin() + 1, BuildMenuItemRecord(item));
  AddWindowDescriptions({form});
  auto read = [](int32_t property) {
    return kEntryTable.ReadUnitProperty(kWindowId, 0x26010001, property, -1);
  };
  char* caption = reinterpret_cast<char*>(read(0));
  EXPECT_STREQ(caption, "打开");
  MemFree(caption);
  EXPECT_EQ(read(1), 0u);
  EXPECT_EQ(read(2), 0u);
  EXPECT_EQ(read(3), 0u);

  WritePointer(kWindowId, 0x26010001, 0, -1, "关闭");
  kEntryTable.WriteUnitProperty(kWindowId, 0x26010001, 1, -1, 1, 0);
  kEntryTable.WriteUnitProperty(kWindowId, 0x26010001, 3, -1, 1, 0);
  kEntryTable.WriteUnitProperty(kWindowId, 0x26010001, 4, -1, 0, 0);  // no such property
  MenuItemFields after;
  ASSERT_TRUE(ParseMenuItemRecord(FindLiveWindow(kWindowId)->description.table.records[1], &after));
  EXPECT_EQ(after.kind, 0x00010003u);
  EXPECT_EQ(after.name, "菜单");
  EXPECT_EQ(after.caption, "关闭");
  EXPECT_EQ(after.flags, 4u);  // checked, shown
  EXPECT_EQ(after.handler, kClickHandler);

  // The window still loads, its menu item left out of the units.
  kEntryTable.LoadWindow(kWindowId);
  EXPECT_NE(Native(), nullptr);
  EXPECT_EQ(g_created.size(), 4u);
}

TEST_F(WindowSystemTest, DestroyUnitTakesAUnitWithoutChildWindowsOutOfTheRecords) {
  Load();
  kEntryTable.LoadWindow(kWindowId);
  auto reference = [](uint32_t unitId) { return ArgValue{kWindowId, unitId, kTestKind}; };
  auto destroy = [&](uint32_t unitId) {
    ArgValue args[] = {reference(unitId)};
    kEntryTable.CallCoreCommand(DestroyUnit, 1, args);
  };
  auto childrenOf = [](uint32_t unitId) {
    const LiveWindow& window = *FindLiveWindow(kWindowId);
    UnitRecordFields fields;
    EXPECT_TRUE(ParseUnitRecord(
        window.description.table.records[static_cast<size_t>(FindRecordIndex(window, unitId))],
        &fields));
    return fields.children;
  };
  const LiveWindow& window = *FindLiveWindow(kWindowId);
  const HWND containerHandle = UnitHandle(0x16010004);
  const HWND innerHandle = UnitHandle(0x16010002);

  // 丙 holds 甲's native window: it is destroyed, its record stays.
  ASSERT_NE(GetWindow(containerHandle, GW_CHILD), nullptr);
  destroy(0x16010004);
  EXPECT_FALSE(IsWindow(containerHandle));
  EXPECT_FALSE(IsWindow(innerHandle));
  EXPECT_GE(FindRecordIndex(window, 0x16010004), 0);
  EXPECT_EQ(childrenOf(0x16010004), std::vector<uint32_t>{0x16010002});
  // 甲's native window went with it, but its record stands: not missing.
  ArgValue inner[] = {reference(0x16010002)};
  kEntryTable.CallCoreCommand(FocusUnit, 1, inner);
  kEntryTable.CallCoreCommand(DestroyUnit, 1, inner);
  EXPECT_GE(FindRecordIndex(window, 0x16010002), 0);

  // 丁 has no child windows: it leaves the records and the live objects.
  const HWND plainHandle = UnitHandle(0x16010005);
  destroy(0x16010005);
  EXPECT_FALSE(IsWindow(plainHandle));
  EXPECT_EQ(FindRecordIndex(window, 0x16010005), -1);
  EXPECT_EQ(window.description.table.Count(), 4u);
  EXPECT_EQ(window.live.size(), 4u);
}

TEST_F(WindowSystemTest, DestroyUnitTakesTheUnitOutOfItsParentsChildList) {
  Load();
  kEntryTable.LoadWindow(kWindowId);
  const LiveWindow& window = *FindLiveWindow(kWindowId);
  const HWND next = UnitHandle(0x16010003);
  ArgValue inner[] = {ArgValue{kWindowId, 0x16010002, kTestKind}};
  kEntryTable.CallCoreCommand(DestroyUnit, 1, inner);
  EXPECT_EQ(FindRecordIndex(window, 0x16010002), -1);
  // The live objects moved up with the records behind it.
  EXPECT_EQ(window.description.table.ids[1], 0x16010003u);
  EXPECT_EQ(window.live[1].object->Handle(), next);
  UnitRecordFields container;
  ASSERT_TRUE(ParseUnitRecord(
      window.description.table.records[static_cast<size_t>(FindRecordIndex(window, 0x16010004))],
      &container));
  EXPECT_TRUE(container.children.empty());
  EXPECT_EQ(container.name, "丙");
  // Destroying the window puts the records back as they were loaded.
  DestroyWindow(Native());
  EXPECT_GE(FindRecordIndex(window, 0x16010002), 0);
}

}  // namespace
}  // namespace mnemora

namespace mnemora {
namespace {

// Events are looked up in what the load read of each record: when a record
// leaves the table, or the loaded records are put back, every unit must
// still raise its own bindings.
TEST_F(WindowSystemTest, EventsFollowTheirUnitWhenRecordsLeaveAndComeBack) {
  constexpr int32_t kEvent = 42;
  WindowDescription form = TestForm(false);
  UnitRecordFields second;
  UnitRecordFields fourth;
  ASSERT_TRUE(ParseUnitRecord(form.table.records[2], &second));
  ASSERT_TRUE(ParseUnitRecord(form.table.records[4], &fourth));
  second.events = {{kEvent, kClickHandler}};
  fourth.events = {{kEvent, kIdleHandler}};
  form.table.records[2] = BuildUnitRecord(second);
  form.table.records[4] = BuildUnitRecord(fourth);
  AddWindowDescriptions({form});
  kEntryTable.LoadWindow(kWindowId);
  const auto routineOf = [&](uint32_t unitId) {
    g_calls.clear();
    RaiseEventWithArguments(kWindowId, unitId, kEvent, {});
    return Routines();
  };
  EXPECT_EQ(routineOf(0x16010003), std::vector<int>{kClickHandler});
  EXPECT_EQ(routineOf(0x16010005), std::vector<int>{kIdleHandler});
  EXPECT_TRUE(routineOf(0x16010004).empty());

  ArgValue secondUnit[] = {ArgValue{kWindowId, 0x16010003, kTestKind}};
  kEntryTable.CallCoreCommand(DestroyUnit, 1, secondUnit);
  ASSERT_EQ(FindRecordIndex(*FindLiveWindow(kWindowId), 0x16010003), -1);
  EXPECT_EQ(routineOf(0x16010005), std::vector<int>{kIdleHandler});
  EXPECT_TRUE(routineOf(0x16010004).empty());

  // Destruction puts the loaded records back, and a new load raises from them.
  DestroyWindow(Native());
  kEntryTable.LoadWindow(kWindowId);
  EXPECT_EQ(routineOf(0x16010003), std::vector<int>{kClickHandler});
  EXPECT_EQ(routineOf(0x16010005), std::vector<int>{kIdleHandler});
}

TEST_F(WindowSystemTest, IdleEventGoesToLoadedWindowsUntilTheyAreDone) {
  Load();
  kEntryTable.LoadWindow(kWindowId);
  g_calls.clear();
  EXPECT_TRUE(RuntimeIdleStep(0));  // the framework's own idle work
  EXPECT_TRUE(RuntimeIdleStep(1));
  EXPECT_TRUE(g_calls.empty());

  g_nextOutcome = HandlerOutcome{true, 1};
  EXPECT_TRUE(RuntimeIdleStep(2));  // the handler asked for more
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].routine, kIdleHandler);
  ASSERT_EQ(g_calls[0].args.size(), 1u);
  EXPECT_GE(g_calls[0].args[0], 0);

  EXPECT_FALSE(RuntimeIdleStep(3));  // returned nothing: done for this period
  EXPECT_FALSE(RuntimeIdleStep(4));
  EXPECT_EQ(g_calls.size(), 2u);
}

TEST(FontPropertyTest, PartsAreReadAndWrittenAsDocumented) {
  HDC screen = GetDC(nullptr);
  const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  auto font = [](const Bytes& record) {
    LOGFONTA f;
    std::memcpy(&f, record.data(), sizeof f);
    return f;
  };
  Bytes record = WriteFontPart(Bytes(), font_part::kSize, 12, 0);
  ASSERT_EQ(record.size(), 60u);
  EXPECT_EQ(font(record).lfHeight, -(12 * ppi / 72));
  EXPECT_EQ(ReadFontPart(record, font_part::kSize), 12u);

  record = WriteFontPart(record, font_part::kAngle, static_cast<uint32_t>(-10), 0);
  EXPECT_EQ(font(record).lfEscapement, 3590);
  EXPECT_EQ(font(record).lfOrientation, 3590);
  record = WriteFontPart(record, font_part::kBold, 5, 0);
  EXPECT_EQ(font(record).lfWeight, 700);
  EXPECT_EQ(ReadFontPart(record, font_part::kBold), 1u);

  auto writeFace = [&](const std::string& face) {
    const auto value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(face.c_str()));
    return std::string(
        font(WriteFontPart(record, font_part::kFaceName, static_cast<uint32_t>(value),
                           static_cast<uint32_t>(value >> 32)))
            .lfFaceName);
  };
  EXPECT_EQ(writeFace("Tahoma"), "Tahoma");
  EXPECT_EQ(writeFace(std::string(31, 'x')), std::string(31, 'x'));
  EXPECT_EQ(writeFace(std::string(32, 'x')), "宋体");
  EXPECT_EQ(writeFace(""), "宋体");

  // The whole value: a size below 0 counts as 0, a face of 31 bytes is too long.
  const std::string longFace(31, 'y');
  const FontValue whole{-7205, 0, 1, 1, 0, -3, longFace.c_str()};
  const auto value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(&whole));
  const LOGFONTA written = font(WriteFontPart(
      record, font_part::kWhole, static_cast<uint32_t>(value), static_cast<uint32_t>(value >> 32)));
  EXPECT_EQ(written.lfOrientation, 3595);
  EXPECT_EQ(written.lfWeight, 0);
  EXPECT_EQ(written.lfItalic, 1);
  EXPECT_EQ(written.lfHeight, 0);
  EXPECT_STREQ(written.lfFaceName, "宋体");

  auto* read = reinterpret_cast<FontValue*>(ReadFontPart(record, font_part::kWhole));
  EXPECT_EQ(read->size, 12);
  EXPECT_EQ(read->bold, 1);
  EXPECT_STREQ(read->faceName, font(record).lfFaceName);
  MemFree(read);
}

TEST(FontPropertyTest, PartsOutsideTheRangeAndUnendedFaceNamesAreSafe) {
  Bytes record = WriteFontPart(Bytes(), font_part::kSize, 12, 0);
  // A part outside -1..6 is no part: nothing is read, and its value is
  // never taken for the address of a whole-font value.
  for (int32_t part : {-2, 7, 1000, INT32_MIN}) {
    EXPECT_EQ(ReadFontPart(record, part), 0u) << part;
    EXPECT_EQ(WriteFontPart(record, part, 0xDEADBEEF, 0x1234), record) << part;
  }
  // A stored face name filling all 32 bytes, with no terminator.
  std::memset(record.data() + offsetof(LOGFONTA, lfFaceName), 'f', LF_FACESIZE);
  char* face = reinterpret_cast<char*>(ReadFontPart(record, font_part::kFaceName));
  EXPECT_EQ(std::string(face), std::string(LF_FACESIZE - 1, 'f'));
  MemFree(face);
  auto* whole = reinterpret_cast<FontValue*>(ReadFontPart(record, font_part::kWhole));
  EXPECT_EQ(std::string(whole->faceName), std::string(LF_FACESIZE - 1, 'f'));
  MemFree(whole);
  const Bytes written = WriteFontPart(record, font_part::kBold, 1, 0);
  EXPECT_EQ(written[offsetof(LOGFONTA, lfFaceName) + LF_FACESIZE - 1], 0);
}

}  // namespace
}  // namespace mnemora
