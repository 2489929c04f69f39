// The edit box kind against real edit and up-down controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "tests/unit_bench.h"
#include "window/units/edit_box.h"
#include "window/units/edit_box_block.h"
#include "window/units/edit_box_input.h"
#include "window/gdi_scopes.h"

namespace mnemora {
namespace {

using namespace bench;

constexpr uint32_t kQueryBox = 0x1601008D;
constexpr uint32_t kNoteBox = 0x1601008F;

// Property numbers as the application uses them.
constexpr int32_t kContent = 8;
constexpr int32_t kBorderStyle = 9;
constexpr int32_t kBackgroundColour = 11;
constexpr int32_t kFont = 12;
constexpr int32_t kHideSelection = 13;
constexpr int32_t kMaxLength = 14;
constexpr int32_t kMultiLine = 15;
constexpr int32_t kInputMode = 18;
constexpr int32_t kPasswordCharacter = 19;
constexpr int32_t kSelectionStart = 24;
constexpr int32_t kSelectionLength = 25;
constexpr int32_t kSelectedText = 26;

const UnitTypeDescriptor& Kind() {
  return kEditBoxDescriptor;
}

std::pair<DWORD, DWORD> SelectionOf(HWND edit) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

void Type(HWND edit, const char* characters) {
  for (const char* c = characters; *c != '\0'; ++c) {
    SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*c), 1);
  }
}

int HeightOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

TEST(EditBoxCreateTest, MultiLineBlockGivesScrollingStylesAndStaysHidden) {
  UnitBench bench;
  const Bytes block = WritePropertyBlock(EditBoxProperties{.borderStyle = 3,
                                                           .textColour = 0x00C06000,
                                                           .multiLine = 1,
                                                           .scrollBars = 3,
                                                           .content = "mov"});
  auto unit = bench.Create(Kind(), block, kNoteBox, {10, 10, 339, 147, nullptr, 170},
                           kUnitStyleTabStop | kUnitStyleDisabled);
  ASSERT_NE(unit, nullptr);
  HWND edit = unit->Handle();
  const LONG_PTR style = StyleOf(edit);
  for (LONG_PTR bit : {WS_CHILD, WS_CLIPSIBLINGS, ES_MULTILINE, ES_AUTOVSCROLL, ES_WANTRETURN,
                       ES_AUTOHSCROLL, WS_HSCROLL, WS_VSCROLL, WS_TABSTOP, WS_DISABLED}) {
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  }
  EXPECT_EQ(style & (WS_VISIBLE | ES_NOHIDESEL | WS_BORDER), 0);
  EXPECT_EQ(ExStyleOf(edit) & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE), WS_EX_STATICEDGE);
  EXPECT_EQ(GetDlgCtrlID(edit), 170);
  EXPECT_EQ(WindowTextOf(edit), "mov");
  EXPECT_EQ(HeightOf(edit), 147);
  EXPECT_EQ(unit->Companion(), nullptr);  // no adjuster on a multi-line box
}

TEST(EditBoxCreateTest, EmptyBlockTakesDefaultsAndSingleLineIsAtLeastOneCharacterTall) {
  UnitBench bench;
  auto low = bench.Create(Kind(), Bytes(), kQueryBox, {10, 10, 102, 5});
  ASSERT_NE(low, nullptr);
  HWND edit = low->Handle();
  EXPECT_EQ(StyleOf(edit) & (ES_AUTOHSCROLL | ES_MULTILINE), ES_AUTOHSCROLL);
  EXPECT_EQ(ExStyleOf(edit) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
  EXPECT_EQ(SendMessageA(edit, WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));

  SIZE sample{};
  {
    WindowDc dc(edit);
    ScopedSelection font(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32A(dc.Get(), "汉", 2, &sample);
  }
  EXPECT_EQ(HeightOf(edit), sample.cy + 2 * GetSystemMetrics(SM_CYEDGE));

  auto tall = bench.Create(Kind(), Bytes(), kQueryBox, {10, 10, 102, 60});
  EXPECT_EQ(HeightOf(tall->Handle()), 60);

  // A larger font makes the box taller again.
  LOGFONTA font{};
  font.lfHeight = -40;
  std::strcpy(font.lfFaceName, "宋体");
  Bytes record(sizeof font);
  std::memcpy(record.data(), &font, sizeof font);
  EXPECT_FALSE(SetBytes(low.get(), Kind(), kFont, record));
  EXPECT_NE(SendMessageA(edit, WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
  EXPECT_GE(HeightOf(edit), 40);
  EXPECT_EQ(GetBytes(low.get(), Kind(), kFont), record);
}

TEST(EditBoxCreateTest, InputModesAndOptionsBecomeControlStyles) {
  UnitBench bench;
  auto readOnly = bench.Create(Kind(), WritePropertyBlock(EditBoxProperties{.inputMode = 1}),
                               kQueryBox, {10, 10, 80, 24});
  EXPECT_EQ(StyleOf(readOnly->Handle()) & ES_READONLY, ES_READONLY);

  auto password = bench.Create(
      Kind(), WritePropertyBlock(EditBoxProperties{.inputMode = 2, .passwordCharacter = '#'}),
      kQueryBox, {10, 10, 80, 24});
  EXPECT_EQ(StyleOf(password->Handle()) & ES_PASSWORD, ES_PASSWORD);
  EXPECT_EQ(SendMessageA(password->Handle(), EM_GETPASSWORDCHAR, 0, 0), '#');

  auto options = bench.Create(Kind(),
                              WritePropertyBlock(EditBoxProperties{
                                  .hideSelection = 0, .alignment = 1, .caseConversion = 2}),
                              kQueryBox, {10, 10, 80, 24});
  const LONG_PTR style = StyleOf(options->Handle());
  EXPECT_EQ(style & (ES_NOHIDESEL | ES_CENTER | ES_UPPERCASE),
            ES_NOHIDESEL | ES_CENTER | ES_UPPERCASE);

  // Stored values past their ranges are brought in, not passed on.
  auto clamped = bench.Create(Kind(), WritePropertyBlock(EditBoxProperties{.inputMode = 40}),
                              kQueryBox, {10, 10, 80, 24});
  EXPECT_EQ(GetNumber(clamped.get(), Kind(), kInputMode), edit_input_mode::kDateTime);
}

TEST(EditBoxCreateTest, RejectedBlocksCreateNoUnit) {
  UnitBench bench;
  Bytes newer = WritePropertyBlock(EditBoxProperties{});
  newer[0] = 3;  // a version above the highest the kind reads
  EXPECT_EQ(bench.Create(Kind(), newer, kQueryBox, {10, 10, 80, 24}), nullptr);
  Bytes truncated = WritePropertyBlock(EditBoxProperties{.content = "abc"});
  truncated.resize(truncated.size() - 12);
  EXPECT_EQ(bench.Create(Kind(), truncated, kQueryBox, {10, 10, 80, 24}), nullptr);
}

TEST(EditBoxContentTest, WritingTheContentRaisesEventZeroExactlyOnceEvenWhenUnchanged) {
  UnitBench bench;
  for (uint32_t multiLine : {0u, 1u}) {
    SCOPED_TRACE(multiLine);
    auto unit = bench.Create(Kind(), WritePropertyBlock(EditBoxProperties{.multiLine = multiLine}),
                             kQueryBox, {10, 10, 80, 40});
    bench.ClearEvents();
    EXPECT_FALSE(SetText(unit.get(), Kind(), kContent, "abc"));
    EXPECT_EQ(bench.EventNumbers(kQueryBox), std::vector<int32_t>{0});
    EXPECT_FALSE(SetText(unit.get(), Kind(), kContent, "abc"));
    EXPECT_EQ(bench.EventNumbers(kQueryBox), (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(GetText(unit.get(), Kind(), kContent), "abc");

    // A change by typing is the control's own notification, once.
    bench.ClearEvents();
    Type(unit->Handle(), "d");
    EXPECT_EQ(bench.EventNumbers(kQueryBox), std::vector<int32_t>{0});
    EXPECT_EQ(GetText(unit.get(), Kind(), kContent), "dabc");
  }
}

TEST(EditBoxContentTest, AppendingTwoTextsLeavesTheCaretAfterTheLastAndRaisesTwoEvents) {
  UnitBench bench;
  for (uint32_t multiLine : {0u, 1u}) {
    SCOPED_TRACE(multiLine);
    auto unit = bench.Create(
        Kind(), WritePropertyBlock(EditBoxProperties{.multiLine = multiLine, .content = "ab"}),
        kNoteBox, {10, 10, 200, 60});
    EXPECT_EQ(SelectionOf(unit->Handle()), std::make_pair(DWORD{0}, DWORD{0}));
    bench.ClearEvents();
    AppendToEditBox(unit->Handle(), "cd");
    AppendToEditBox(unit->Handle(), "ef");
    EXPECT_EQ(WindowTextOf(unit->Handle()), "abcdef");
    EXPECT_EQ(SelectionOf(unit->Handle()), std::make_pair(DWORD{6}, DWORD{6}));
    EXPECT_EQ(bench.EventNumbers(kNoteBox), (std::vector<int32_t>{0, 0}));
  }
}

TEST(EditBoxInputTest, DigitsOnlyBoxDropsLettersAndClampsToAByteOnLeavingFocus) {
  UnitBench bench;
  ShowWindow(bench.Parent(), SW_SHOWNOACTIVATE);
  auto unit = bench.Create(Kind(), WritePropertyBlock(EditBoxProperties{.inputMode = 5}), kQueryBox,
                           {10, 10, 80, 24});
  HWND edit = unit->Handle();
  ShowWindow(edit, SW_SHOWNA);

  SetFocus(edit);
  ASSERT_EQ(GetFocus(), edit);
  Type(edit, "a3-0\b00");
  EXPECT_EQ(WindowTextOf(edit), "300");
  bench.ClearEvents();
  SetFocus(bench.Parent());
  EXPECT_EQ(WindowTextOf(edit), "255");
  std::vector<int32_t> events = bench.EventNumbers(kQueryBox);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), -8);  // after the normalised text is in place

  SetFocus(edit);
  EXPECT_EQ(bench.EventNumbers(kQueryBox).back(), -7);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"));
  SetFocus(bench.Parent());
  EXPECT_EQ(WindowTextOf(edit), "");
}

TEST(EditBoxInputTest, NormalisationFollowsEachModesRange) {
  namespace m = edit_input_mode;
  const struct {
    int32_t mode;
    const char* typed;
    const char* normalised;
  } kCases[] = {
      {m::kByte, "300", "255"},
      {m::kByte, "0", ""},
      {m::kByte, "-4", ""},
      {m::kByte, "12ab", "12"},
      {m::kShort, "40000", "32767"},
      {m::kShort, "-40000", "-32768"},
      {m::kInt32, "99999999999", "2147483647"},
      {m::kLong, "99999999999999999999", "9223372036854775807"},
      {m::kFloat, "3.14159265", "3.14159"},
      {m::kFloat, "1e40", "3.40282e+38"},
      {m::kFloat, "-0.0", ""},
      {m::kDouble, "0.1234567890123456", "0.1234567890123"},
      {m::kDateTime, "2024-3-5", "2024年3月5日"},
      {m::kDateTime, "2024年3月5日12时30分", "2024年3月5日12时30分"},
      {m::kDateTime, "2024/3/5 7:00:09", "2024年3月5日7时0分9秒"},
      {m::kDateTime, "2024-3-5 7:00", "2024年3月5日7时"},
      {m::kDateTime, "2023-2-29", ""},
      {m::kDateTime, "1899-12-30", ""},
      {m::kDateTime, "tomorrow", ""},
      {m::kNormal, "0", "0"},
      {m::kInteger, "x", "x"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(NormaliseEditText(c.mode, c.typed), c.normalised) << c.mode << " " << c.typed;
  }
}

TEST(EditBoxInputTest, TypingFilterAndAdjusterStepFollowTheMode) {
  namespace m = edit_input_mode;
  EXPECT_TRUE(AcceptsTypedCharacter(m::kInteger, '-'));
  EXPECT_FALSE(AcceptsTypedCharacter(m::kInteger, '.'));
  EXPECT_TRUE(AcceptsTypedCharacter(m::kDecimal, '.'));
  EXPECT_FALSE(AcceptsTypedCharacter(m::kDecimal, 'e'));
  EXPECT_FALSE(AcceptsTypedCharacter(m::kByte, '-'));
  EXPECT_FALSE(AcceptsTypedCharacter(m::kByte, 0xBA));  // a GBK lead byte
  EXPECT_TRUE(AcceptsTypedCharacter(m::kByte, '\b'));   // control characters pass
  EXPECT_TRUE(AcceptsTypedCharacter(m::kNormal, 'e'));
  EXPECT_TRUE(AcceptsTypedCharacter(m::kDateTime, 'e'));

  EXPECT_EQ(AdjusterStepValue("100", 1, 0, 100), 0);
  EXPECT_EQ(AdjusterStepValue("0", -1, 0, 100), 100);
  EXPECT_EQ(AdjusterStepValue("41", 1, 0, 100), 42);
  EXPECT_EQ(AdjusterStepValue("", 1, 0, 100), 1);
  EXPECT_EQ(AdjusterStepValue("abc", -1, 0, 100), 100);
  EXPECT_EQ(AdjusterStepValue("100", 1, 100, 0), 0);  // limits given the other way round
  EXPECT_EQ(AdjusterStepValue("2147483647", 1, INT32_MIN, INT32_MAX), INT32_MIN);
}

TEST(EditBoxSelectionTest, MinusOneMeansTheEndOrTheWholeText) {
  UnitBench bench;
  auto unit = bench.Create(Kind(), WritePropertyBlock(EditBoxProperties{.content = "hello"}),
                           kQueryBox, {10, 10, 80, 24});
  HWND edit = unit->Handle();

  SetNumber(unit.get(), Kind(), kSelectionStart, -1);
  EXPECT_EQ(SelectionOf(edit), std::make_pair(DWORD{5}, DWORD{5}));
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kSelectionStart), 5);
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kSelectionLength), 0);

  SetNumber(unit.get(), Kind(), kSelectionLength, -1);
  EXPECT_EQ(SelectionOf(edit), std::make_pair(DWORD{0}, DWORD{5}));
  EXPECT_EQ(GetText(unit.get(), Kind(), kSelectedText), "hello");

  SetNumber(unit.get(), Kind(), kSelectionStart, 1);
  SetNumber(unit.get(), Kind(), kSelectionLength, 2);
  EXPECT_EQ(GetText(unit.get(), Kind(), kSelectedText), "el");
  SetNumber(unit.get(), Kind(), kSelectionStart, -3);  // counts as 0
  EXPECT_EQ(GetText(unit.get(), Kind(), kSelectedText), "he");

  SetText(unit.get(), Kind(), kSelectedText, "J");
  EXPECT_EQ(WindowTextOf(edit), "Jllo");

  // A stored start of -1 puts the caret at the end from the start.
  auto atEnd = bench.Create(
      Kind(), WritePropertyBlock(EditBoxProperties{.selectionStart = -1, .content = "abc"}),
      kQueryBox, {10, 10, 80, 24});
  EXPECT_EQ(SelectionOf(atEnd->Handle()), std::make_pair(DWORD{3}, DWORD{3}));
}

TEST(EditBoxKeyTest, EnterBelongsOnlyToAWritableMultiLineBox) {
  UnitBench bench;
  auto wantsKey = KindOperation<KeyInterestOperation>(Kind(), unit_operation::kKeyInterest);
  auto single = bench.Create(Kind(), Bytes(), kQueryBox, {10, 10, 80, 24});
  auto readOnly =
      bench.Create(Kind(), WritePropertyBlock(EditBoxProperties{.multiLine = 1, .inputMode = 1}),
                   kNoteBox, {10, 10, 80, 60});
  auto writable = bench.Create(Kind(), WritePropertyBlock(EditBoxProperties{.multiLine = 1}),
                               kNoteBox, {10, 10, 80, 60});
  EXPECT_FALSE(wantsKey(single.get(), VK_RETURN));
  EXPECT_FALSE(wantsKey(readOnly.get(), VK_RETURN));
  EXPECT_TRUE(wantsKey(writable.get(), VK_RETURN));
  EXPECT_FALSE(wantsKey(writable.get(), VK_TAB));
  EXPECT_FALSE(wantsKey(writable.get(), VK_ESCAPE));

  SetNumber(writable.get(), Kind(), kInputMode, 1);
  EXPECT_FALSE(wantsKey(writable.get(), VK_RETURN));
  EXPECT_EQ(StyleOf(writable->Handle()) & ES_READONLY, ES_READONLY);
}

// Presses one arrow of an up-down control with the mouse.
void PressArrow(HWND adjuster, bool up) {
  RECT client;
  GetClientRect(adjuster, &client);
  ClickAt(adjuster, client.right / 2, up ? 2 : client.bottom - 3);
}

TEST(EditBoxAdjusterTest, AutomaticModeStepsAndWrapsAroundTheRange) {
  UnitBench bench;
  auto unit = bench.Create(Kind(),
                           WritePropertyBlock(EditBoxProperties{
                               .adjusterMode = 1, .adjusterMaximum = 100, .content = "100"}),
                           kQueryBox, {10, 10, 80, 24, nullptr, 130}, 0);
  HWND edit = unit->Handle();
  HWND adjuster = unit->Companion();
  ASSERT_NE(adjuster, nullptr);
  EXPECT_EQ(GetParent(adjuster), GetParent(edit));
  EXPECT_EQ(GetDlgCtrlID(adjuster), 134);
  EXPECT_EQ(ExStyleOf(adjuster) & WS_EX_STATICEDGE, WS_EX_STATICEDGE);  // border style 1

  ShowWindow(bench.Parent(), SW_SHOWNOACTIVATE);
  ShowWindow(edit, SW_SHOWNA);
  bench.ClearEvents();
  PressArrow(adjuster, true);
  EXPECT_EQ(WindowTextOf(edit), "0");
  EXPECT_EQ(SelectionOf(edit), std::make_pair(DWORD{0}, DWORD{1}));
  EXPECT_EQ(GetFocus(), edit);
  PressArrow(adjuster, false);
  EXPECT_EQ(WindowTextOf(edit), "100");
  PressArrow(adjuster, false);
  EXPECT_EQ(WindowTextOf(edit), "99");
  const std::vector<int32_t> events = bench.EventNumbers(kQueryBox);
  EXPECT_EQ(std::count(events.begin(), events.end(), 0), 3);  // one change per press
}

TEST(EditBoxAdjusterTest, OnlyTheAdjustersOwnReportStepsTheBox) {
  UnitBench bench;
  auto unit = bench.Create(Kind(),
                           WritePropertyBlock(EditBoxProperties{
                               .adjusterMode = 1, .adjusterMaximum = 100, .content = "5"}),
                           kQueryBox, {10, 10, 80, 24, nullptr, 130}, 0);
  HWND edit = unit->Handle();
  HWND adjuster = unit->Companion();
  ASSERT_NE(adjuster, nullptr);
  // A report naming the adjuster, but not built by it on this thread's
  // stack (here: on the heap), and a pointer to nowhere: neither is read.
  auto forged = std::make_unique<NMUPDOWN>();
  forged->hdr = NMHDR{adjuster, 134, static_cast<UINT>(UDN_DELTAPOS)};
  forged->iDelta = 1;
  EXPECT_EQ(SendMessageA(edit, WM_NOTIFY, 134, reinterpret_cast<LPARAM>(forged.get())), 0);
  EXPECT_EQ(SendMessageA(edit, WM_NOTIFY, 134, static_cast<LPARAM>(0xFEEDFACE0BADF00Dull)), 0);
  PostMessageA(edit, WM_NOTIFY, 134, static_cast<LPARAM>(0xFEEDFACE0BADF00Dull));
  PumpMessages();
  EXPECT_EQ(WindowTextOf(edit), "5");
  // The adjuster's own press still steps it.
  ShowWindow(bench.Parent(), SW_SHOWNOACTIVATE);
  ShowWindow(edit, SW_SHOWNA);
  PressArrow(adjuster, true);
  EXPECT_EQ(WindowTextOf(edit), "6");
}

TEST(EditBoxAdjusterTest, AdjusterFollowsTheBoxAndManualModeRaisesEventOne) {
  UnitBench bench;
  auto unit =
      bench.Create(Kind(), WritePropertyBlock(EditBoxProperties{.adjusterMode = 2, .content = "7"}),
                   kQueryBox, {10, 10, 80, 24});
  HWND edit = unit->Handle();
  HWND adjuster = unit->Companion();
  ASSERT_NE(adjuster, nullptr);

  EXPECT_FALSE(IsWindowVisible(adjuster));
  ShowWindow(bench.Parent(), SW_SHOWNOACTIVATE);
  ShowWindow(edit, SW_SHOWNA);
  EXPECT_TRUE(IsWindowVisible(adjuster));
  SetWindowPos(edit, nullptr, 30, 40, 90, 24, SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT box = RectInParent(edit);
  const RECT arrows = RectInParent(adjuster);
  EXPECT_EQ(arrows.left, box.right);
  EXPECT_EQ(arrows.top, box.top);
  EXPECT_EQ(arrows.bottom, box.bottom);
  EnableWindow(edit, FALSE);
  EXPECT_FALSE(IsWindowEnabled(adjuster));
  EnableWindow(edit, TRUE);
  ShowWindow(edit, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(adjuster));

  bench.ClearEvents();
  PressArrow(adjuster, true);
  PressArrow(adjuster, false);
  const std::vector<RaisedEvent> events = bench.Events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].event, 1);
  EXPECT_EQ(events[0].arguments, std::vector<int32_t>{1});
  EXPECT_EQ(events[1].event, 1);
  EXPECT_EQ(events[1].arguments, std::vector<int32_t>{-1});
  EXPECT_EQ(WindowTextOf(edit), "7");
}

TEST(EditBoxColourTest, ReflectedCtlColorUsesTheUnitsColoursAndBrush) {
  UnitBench bench;
  auto unit = bench.Create(Kind(),
                           WritePropertyBlock(EditBoxProperties{.textColour = 0x00C06000,
                                                                .backgroundColour = 0x00123456}),
                           kQueryBox, {10, 10, 80, 24});
  HWND edit = unit->Handle();
  WindowDc dc(edit);
  auto ctlColor = [&](UINT message) {
    return reinterpret_cast<HBRUSH>(SendMessageA(bench.Parent(), message,
                                                 reinterpret_cast<WPARAM>(dc.Get()),
                                                 reinterpret_cast<LPARAM>(edit)));
  };
  HBRUSH brush = ctlColor(WM_CTLCOLOREDIT);
  ASSERT_NE(brush, nullptr);
  LOGBRUSH described{};
  GetObjectA(brush, sizeof described, &described);
  EXPECT_EQ(described.lbColor, 0x00123456u);
  EXPECT_EQ(GetTextColor(dc.Get()), 0x00C06000u);
  EXPECT_EQ(GetBkColor(dc.Get()), 0x00123456u);

  // The button-face colour is the system's own, resolved when used; a
  // read-only box asks with WM_CTLCOLORSTATIC.
  EXPECT_FALSE(SetNumber(unit.get(), Kind(), kBackgroundColour, 0xFF000000));
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kBackgroundColour), 0xFF000000);
  EXPECT_EQ(ctlColor(WM_CTLCOLORSTATIC), GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(GetBkColor(dc.Get()), GetSysColor(COLOR_BTNFACE));
}

TEST(EditBoxPropertyTest, StyleChangesAskForRebuildOnlyWhenTheValueChanges) {
  UnitBench bench;
  auto unit = bench.Create(Kind(), Bytes(), kQueryBox, {10, 10, 80, 24});
  EXPECT_FALSE(SetNumber(unit.get(), Kind(), kMultiLine, 0));
  EXPECT_TRUE(SetNumber(unit.get(), Kind(), kMultiLine, 5));
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kMultiLine), 1);
  EXPECT_FALSE(SetNumber(unit.get(), Kind(), kHideSelection, 1));
  EXPECT_TRUE(SetNumber(unit.get(), Kind(), kHideSelection, 0));

  EXPECT_FALSE(SetNumber(unit.get(), Kind(), kBorderStyle, 9));
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kBorderStyle), 5);
  EXPECT_EQ(StyleOf(unit->Handle()) & WS_BORDER, WS_BORDER);
  EXPECT_EQ(ExStyleOf(unit->Handle()) & WS_EX_CLIENTEDGE, 0);

  SetNumber(unit.get(), Kind(), kMaxLength, -5);
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kMaxLength), 0);
  SetNumber(unit.get(), Kind(), kMaxLength, 3);
  SendMessageA(unit->Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("abcdef"));
  EXPECT_EQ(WindowTextOf(unit->Handle()), "abc");

  SetNumber(unit.get(), Kind(), kInputMode, 2);
  EXPECT_EQ(SendMessageA(unit->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  SetText(unit.get(), Kind(), kPasswordCharacter, "#x");
  EXPECT_EQ(SendMessageA(unit->Handle(), EM_GETPASSWORDCHAR, 0, 0), '#');
  EXPECT_EQ(GetText(unit.get(), Kind(), kPasswordCharacter), "#");
  SetNumber(unit.get(), Kind(), kInputMode, 0);
  EXPECT_EQ(SendMessageA(unit->Handle(), EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST(EditBoxPropertyTest, SaveHoldsTheStoredValuesAndWhatTheControlHoldsNow) {
  UnitBench bench;
  EditBoxProperties older{.version = 1, .multiLine = 1, .content = "stored"};
  auto unit = bench.Create(Kind(), WritePropertyBlock(older), kNoteBox, {10, 10, 80, 60});
  SendMessageA(unit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
  SendMessageA(unit->Handle(), EM_SETSEL, 1, 3);
  SetText(unit.get(), Kind(), 27, "source");

  auto save = KindOperation<SaveUnitOperation>(Kind(), unit_operation::kSave);
  EditBoxProperties saved;
  ASSERT_TRUE(ReadPropertyBlock(save(unit.get()), &saved));
  EXPECT_EQ(saved.version, kEditBoxBlockVersion);
  EXPECT_EQ(saved.multiLine, 1u);
  EXPECT_EQ(saved.content, "typed");
  EXPECT_EQ(saved.selectionStart, 1);
  EXPECT_EQ(saved.selectionLength, 2);
  EXPECT_EQ(saved.dataSource, "source");

  // Once the control is gone the stored values still save.
  DestroyWindow(unit->Handle());
  ASSERT_TRUE(ReadPropertyBlock(save(unit.get()), &saved));
  EXPECT_EQ(saved.multiLine, 1u);
  EXPECT_EQ(saved.dataSource, "source");
}

std::string Bracketed(const std::string& text) {
  return "[" + text + "]";
}

TEST(EditBoxPropertyTest, ConvertTextsOffersContentAndBindingNames) {
  auto convert = KindOperation<ConvertTextsOperation>(Kind(), unit_operation::kConvertTexts);
  EditBoxProperties converted;
  ASSERT_TRUE(ReadPropertyBlock(convert(WritePropertyBlock(EditBoxProperties{
                                            .multiLine = 1, .content = "a", .dataColumn = "c"}),
                                        Bracketed),
                                &converted));
  EXPECT_EQ(converted.content, "[a]");
  EXPECT_EQ(converted.dataSource, "[]");
  EXPECT_EQ(converted.dataColumn, "[c]");
  EXPECT_EQ(converted.multiLine, 1u);
  const Bytes broken = {9, 0, 0, 0};
  EXPECT_EQ(convert(broken, Bracketed), broken);
}

}  // namespace
}  // namespace mnemora
