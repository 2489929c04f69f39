// The main window's stored form loaded by the real window system, with the
// real drawing panel and button kinds and plain stand-ins for the other
// kinds: Enter in the query box, a click on a button inside its group box,
// and the hidden help panel shown with a help picture, all through the
// runtime's own entry points.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "app/handler_routines.h"
#include "app/help_pictures.h"
#include "app/main_window_form.h"
#include "runtime/entry_table.h"
#include "runtime/heap_blocks.h"
#include "runtime/init_runtime.h"
#include "runtime/runtime_app.h"
#include "runtime/window_system_hooks.h"
#include "tests/unit_bench.h"
#include "tests/window_pixels.h"
#include "window/message_pretranslation.h"
#include "window/picture_decoding.h"
#include "window/units/button.h"
#include "window/units/draw_panel.h"
#include "window/units/unit_interface.h"
#include "window/units/window_kind.h"
#include "window/window_set.h"

namespace mnemora {
namespace {

constexpr uint32_t kWindowId = 0x52010001;
namespace unit = app::unit;

// --- stand-ins for the kinds built elsewhere: a plain child window that
// takes the focus and passes its children's notifications on --------------

constexpr char kStandInClass[] = "MnemoraStandInUnit";

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (ReflectToChild(message, wParam, lParam, &reflected)) {
    return reflected;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class StandInUnit : public UnitObject {
 public:
  StandInUnit(const UnitCreateArgs& args, HWND handle) : UnitObject(args.windowId, args.unitId, 0) {
    Attach(handle);
  }
};

UnitObject* CreateStandIn(const UnitCreateArgs& args) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = StandInProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kStandInClass;
  RegisterClassA(&windowClass);
  HWND handle = CreateWindowExA(0, kStandInClass, "", WS_CHILD | WS_CLIPSIBLINGS | args.style,
                                args.left, args.top, args.width, args.height, args.parent,
                                reinterpret_cast<HMENU>(static_cast<intptr_t>(args.controlId)),
                                GetModuleHandleA(nullptr), nullptr);
  return handle != nullptr ? new StandInUnit(args, handle) : nullptr;
}

void* GetStandInInterface(int32_t operation) {
  return operation == unit_operation::kCreate ? reinterpret_cast<void*>(&CreateStandIn) : nullptr;
}

// The stand-ins carry the state flags of the kinds they replace: those
// decide focus order and Enter handling.
constexpr UnitTypeDescriptor StandIn(uint32_t stateFlags) {
  return UnitTypeDescriptor{"代替",  "StandIn",           {}, stateFlags, {}, 0,
                            nullptr, GetStandInInterface, {}};
}

// --- handlers that record which routine ran, with its arguments ----------

struct Call {
  int32_t routine;
  std::vector<int32_t> args;
};
std::vector<Call> g_calls;

template <int32_t Routine>
HandlerOutcome Record(int32_t count, const HandlerArg* args) {
  Call call{Routine, {}};
  for (int32_t i = 0; i < count; ++i) {
    call.args.push_back(args[i].value.AsInt32());
  }
  g_calls.push_back(call);
  return HandlerOutcome{};
}

template <int32_t... Routines>
constexpr std::array<EventHandler, sizeof...(Routines)> Recorders(
    std::integer_sequence<int32_t, Routines...>) {
  return {Record<Routines>...};
}

constexpr auto kRoutines =
    Recorders(std::make_integer_sequence<int32_t, app::kHandlerRoutineCount>());
const HandlerTable kHandlers = {app::kHandlerRoutineCount, kRoutines.data()};

bool Ran(int32_t routine) {
  return std::any_of(g_calls.begin(), g_calls.end(),
                     [routine](const Call& c) { return c.routine == routine; });
}

uint32_t Low(const void* p) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

uint32_t High(const void* p) {
  return static_cast<uint32_t>(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)) >> 32);
}

class MainWindowUnitsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UseProcessHeap();
    core_[0] = kWindowKindDescriptor;
    core_[4] = StandIn(0x80000040);  // edit box
    core_[7] = kDrawPanelKindDescriptor;
    core_[8] = StandIn(0x840140C0);  // group box
    core_[9] = StandIn(0x84012040);  // label
    core_[10] = kButtonKindDescriptor;
    core_[14] = StandIn(0x80000040);     // list box
    extended_[4] = StandIn(0x00012040);  // transparent label
  }

  void SetUp() override {
    RuntimeApp& app = TheRuntimeApp();
    app.libraries = {&coreLibrary_, &extendedLibrary_};
    app.eventSuppression = 0;
    app.mainLoopStarted = false;
    InstallFormWindowSystem();
    TheWindowSet().handlers = &kHandlers;
    AddWindowDescriptions(app::MainWindowForm());
    kEntryTable.LoadWindow(kWindowId);
    g_calls.clear();
  }

  void TearDown() override {
    FreeWindows();
    InstallWindowSystem(EmptyWindowSystem());
    TheRuntimeApp().libraries.clear();
    bench::PumpMessages();
  }

  static HWND Handle(uint32_t unitId) {
    const LiveWindow& window = *FindLiveWindow(kWindowId);
    return window.live[static_cast<size_t>(FindRecordIndex(window, unitId))].object->Handle();
  }

  static inline UnitTypeDescriptor core_[15] = {};
  static inline UnitTypeDescriptor extended_[5] = {};
  const LibraryInfo coreLibrary_{"", "core", nullptr, 15, core_, 0, nullptr};
  const LibraryInfo extendedLibrary_{"", "extended", nullptr, 5, extended_, 0, nullptr};
};

TEST_F(MainWindowUnitsTest, EnterInTheQueryBoxReachesItsKeyEventAndPressesNoButton) {
  HWND query = Handle(unit::kQueryBox);
  SetFocus(query);
  ASSERT_EQ(GetFocus(), query);
  MSG enter{query, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_FALSE(PreTranslateWindowMessage(&enter));
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].routine, app::kQueryKeyDown);
  EXPECT_EQ(g_calls[0].args, (std::vector<int32_t>{VK_RETURN, 0}));

  // Made a default button, 删除 takes Enter before the box sees it.
  kEntryTable.WriteUnitProperty(kWindowId, unit::kDeleteButton, 9, -1, 1, 0);
  g_calls.clear();
  EXPECT_TRUE(PreTranslateWindowMessage(&enter));
  EXPECT_TRUE(Ran(app::kDeleteInstruction));
  EXPECT_FALSE(Ran(app::kQueryKeyDown));
  EXPECT_FALSE(Ran(app::kAddInstruction));
}

// A key press as the keyboard queues it for the focused window; withAlt sets
// the message's own Alt bit, which F10 alone lacks.
MSG SystemKey(UINT key, bool withAlt) {
  return MSG{GetFocus(), WM_SYSKEYDOWN, key, withAlt ? 0x20000001 : 1, 0, {}};
}

// The edit box's contents are tried on the real window, from another program.
TEST_F(MainWindowUnitsTest, AltMnemonicsAreLettersAndDigitsOnly) {
  HWND list = Handle(unit::kInstructionList);
  HWND add = Handle(unit::kAddButton);
  HWND modify = Handle(unit::kModifyButton);
  SetFocus(list);
  // Captions of the real button kind whose "&" comes before the character a function or keypad key
  // code would be taken for: F1 0x70 'p', F4 0x73 's', F10 0x79 'y', keypad
  // * + and separator 0x6A-0x6C 'j' 'k' 'l'.
  SetWindowTextA(add, "&p &s &y");
  SetWindowTextA(modify, "&j &k &l");
  for (UINT key : {VK_F1, VK_F4, VK_F10, VK_MULTIPLY, VK_ADD, VK_SEPARATOR}) {
    MSG alt = SystemKey(key, true);
    EXPECT_FALSE(PreTranslateWindowMessage(&alt)) << key;
    EXPECT_EQ(GetFocus(), list) << key;
  }
  SetWindowTextA(add, "添加(&s)");
  MSG withoutAlt = SystemKey('S', false);
  EXPECT_FALSE(PreTranslateWindowMessage(&withoutAlt)) << "a system key without Alt";
  EXPECT_EQ(GetFocus(), list);

  // A button's caption: letters in either case, keypad digits as digits.
  MSG altS2 = SystemKey('S', true);
  EXPECT_TRUE(PreTranslateWindowMessage(&altS2));
  EXPECT_EQ(GetFocus(), add);
  SetWindowTextA(modify, "修改(&5)");
  MSG keypadFive = SystemKey(VK_NUMPAD5, true);
  EXPECT_TRUE(PreTranslateWindowMessage(&keypadFive));
  EXPECT_EQ(GetFocus(), modify);
}

TEST_F(MainWindowUnitsTest, AClickOnAButtonInsideItsGroupBoxRunsItsHandler) {
  HWND add = Handle(unit::kAddButton);
  EXPECT_EQ(GetParent(add), Handle(unit::kEditingGroup));
  SendMessageA(add, BM_CLICK, 0, 0);
  EXPECT_TRUE(Ran(app::kAddInstruction));
  EXPECT_FALSE(Ran(app::kDeleteInstruction));
}

TEST_F(MainWindowUnitsTest, HiddenHelpPanelShowsAHelpPictureWhenWritten) {
  HWND panel = Handle(unit::kHelpPanel);
  EXPECT_EQ(GetParent(panel), Handle(unit::kAnnotationGroup));
  EXPECT_FALSE(IsWindowVisible(panel));

  // As the help captions do: visible first, then the picture.
  kEntryTable.WriteUnitProperty(kWindowId, unit::kHelpPanel, 5, -1, 1, 0);
  const std::span<const uint8_t> help = app::DeleteHelpPicture();
  void* picture = MakeByteSet(help.data(), help.size());
  kEntryTable.WriteUnitProperty(kWindowId, unit::kHelpPanel, 10, -1, Low(picture), High(picture));
  MemFree(picture);
  EXPECT_TRUE(IsWindowVisible(panel));

  auto readPicture = [] {
    void* block = reinterpret_cast<void*>(
        static_cast<uintptr_t>(kEntryTable.ReadUnitProperty(kWindowId, unit::kHelpPanel, 10, -1)));
    const uint8_t* bytes = ByteSetBytes(block);
    const Bytes read = bytes == nullptr ? Bytes() : Bytes(bytes, bytes + ByteSetSize(block));
    MemFree(block);
    return read;
  };
  EXPECT_EQ(readPicture(), bench::ToBytes(help));

  RedrawWindow(Handle(0), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const bench::Pixels shown = bench::ScreenPixels(panel);
  const std::optional<DecodedImage> expected = DecodeImage(help);
  ASSERT_TRUE(expected.has_value());
  ASSERT_EQ(shown.Width(), 344);
  int wrong = 0;
  for (int y = 0; y < shown.Height(); ++y) {
    for (int x = 0; x < shown.Width(); ++x) {
      const COLORREF want =
          x < expected->width && y < expected->height
              ? bench::ColourOfArgb(expected->pixels[static_cast<size_t>(y) * expected->width + x])
              : GetSysColor(COLOR_BTNFACE);
      wrong += shown.At(x, y) != want;
    }
  }
  EXPECT_EQ(wrong, 0);

  // Bytes that are no picture: dropped, the property reads back empty.
  const char notPicture[] = "no picture";
  picture = MakeByteSet(notPicture, sizeof notPicture);
  kEntryTable.WriteUnitProperty(kWindowId, unit::kHelpPanel, 10, -1, Low(picture), High(picture));
  MemFree(picture);
  EXPECT_TRUE(readPicture().empty());
}

TEST_F(MainWindowUnitsTest, ClosingTheWindowReleasesThePanelAndButtons) {
  HWND window = Handle(0);
  HWND panel = Handle(unit::kHelpPanel);
  HWND button = Handle(unit::kDeleteButton);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_FALSE(IsWindow(button));
  // The records are back as stored and the window loads again.
  kEntryTable.LoadWindow(kWindowId);
  EXPECT_TRUE(IsWindow(Handle(unit::kDeleteButton)));
}

}  // namespace
}  // namespace mnemora
