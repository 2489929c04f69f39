// The list box kind and its item operations against real list controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "tests/unit_bench.h"
#include "window/form_bytes.h"
#include "window/units/list_box.h"
#include "window/units/list_box_block.h"
#include "window/gdi_scopes.h"

namespace mnemora {
namespace {

using namespace bench;

constexpr uint32_t kList = 0x16010089;

// Property numbers as the application uses them.
constexpr int32_t kBorderStyle = 8;
constexpr int32_t kAutoSort = 9;
constexpr int32_t kRowSpacing = 11;
constexpr int32_t kTextColour = 12;
constexpr int32_t kMultipleSelection = 15;
constexpr int32_t kCurrentSelection = 16;
constexpr int32_t kItemTexts = 17;
constexpr int32_t kItemData = 18;

const UnitTypeDescriptor& Kind() {
  return kListBoxDescriptor;
}

Bytes Dwords(std::vector<uint32_t> values) {
  ByteWriter writer;
  for (uint32_t value : values) {
    writer.Dword(value);
  }
  return writer.Take();
}

Bytes TextList(const std::vector<std::string>& texts) {
  ByteWriter writer;
  writer.TextList(texts);
  return writer.Take();
}

std::vector<std::string> ItemsOf(HWND list) {
  std::vector<std::string> items;
  for (int32_t i = 0; i < ListItemCount(list); ++i) {
    items.push_back(ListItemText(list, i));
  }
  return items;
}

LRESULT DataOf(HWND list, int index) {
  return SendMessageA(list, LB_GETITEMDATA, index, 0);
}

TEST(ListBoxCreateTest, MainWindowListBlockGivesItsStylesAndNoSelection) {
  UnitBench bench;
  const Bytes block =
      WritePropertyBlock(ListBoxProperties{.borderStyle = 5, .textColour = 0x00FF8800});
  auto unit =
      bench.Create(Kind(), block, kList, {10, 10, 104, 224, nullptr, 110}, kUnitStyleTabStop);
  ASSERT_NE(unit, nullptr);
  HWND list = unit->Handle();
  EXPECT_EQ(StyleOf(list) & 0x44000181, 0x44000181);
  EXPECT_EQ(StyleOf(list) & (WS_TABSTOP | WS_BORDER), WS_TABSTOP | WS_BORDER);
  EXPECT_EQ(StyleOf(list) & (LBS_SORT | LBS_MULTICOLUMN | LBS_EXTENDEDSEL | WS_VISIBLE), 0);
  EXPECT_EQ(ExStyleOf(list) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(GetDlgCtrlID(list), 110);
  EXPECT_EQ(ListItemCount(list), 0);
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kCurrentSelection), -1);

  // Multi-column scrolls sideways; a data source turns auto sort off.
  auto columns = bench.Create(
      Kind(),
      WritePropertyBlock(ListBoxProperties{.autoSort = 1, .multiColumn = 1, .dataSource = "db"}),
      kList, {10, 10, 104, 100});
  EXPECT_EQ(StyleOf(columns->Handle()) & (LBS_MULTICOLUMN | LBS_SORT), LBS_MULTICOLUMN);
  // Its switches read back as 0 or 1 whatever the block held; its numbers
  // as stored.
  auto stored = bench.Create(Kind(),
                             WritePropertyBlock(ListBoxProperties{
                                 .borderStyle = 3, .autoSort = 5, .multipleSelection = 2}),
                             kList, {10, 10, 104, 100});
  EXPECT_EQ(GetNumber(stored.get(), Kind(), kAutoSort), 1);
  EXPECT_EQ(GetNumber(stored.get(), Kind(), kMultipleSelection), 1);
  EXPECT_EQ(GetNumber(stored.get(), Kind(), kBorderStyle), 3);

  // The controls show their scroll bar only once the items overflow.
  for (int i = 0; i < 60; ++i) {
    AddListItem(list, "item", i);
    AddListItem(columns->Handle(), "item", i);
  }
  EXPECT_EQ(StyleOf(list) & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL);
  EXPECT_EQ(StyleOf(columns->Handle()) & (WS_VSCROLL | WS_HSCROLL), WS_HSCROLL);
}

TEST(ListBoxCreateTest, StoredItemsKeepTheirDataAcrossSortingAndSelectionIsClamped) {
  UnitBench bench;
  const Bytes block = WritePropertyBlock(ListBoxProperties{.autoSort = 1,
                                                           .currentSelection = 5,
                                                           .itemData = Dwords({7, 8}),
                                                           .items = {"mov", "add", "sub"}});
  auto unit = bench.Create(Kind(), block, kList, {10, 10, 104, 224});
  ASSERT_NE(unit, nullptr);
  HWND list = unit->Handle();
  EXPECT_EQ(StyleOf(list) & LBS_SORT, LBS_SORT);
  EXPECT_EQ(ItemsOf(list), (std::vector<std::string>{"add", "mov", "sub"}));
  EXPECT_EQ(DataOf(list, 0), 8);  // "add" was second
  EXPECT_EQ(DataOf(list, 1), 7);
  EXPECT_EQ(DataOf(list, 2), 0);  // past the stored data
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kCurrentSelection), 2);

  Bytes newer = WritePropertyBlock(ListBoxProperties{});
  newer[0] = 4;
  EXPECT_EQ(bench.Create(Kind(), newer, kList, {10, 10, 104, 224}), nullptr);
}

TEST(ListBoxCreateTest, RowSpacingAddsToTheFontsItemHeight) {
  UnitBench bench;
  auto tight = bench.Create(Kind(), WritePropertyBlock(ListBoxProperties{.rowSpacing = 0}), kList,
                            {10, 10, 104, 100});
  auto loose = bench.Create(Kind(), WritePropertyBlock(ListBoxProperties{.rowSpacing = 6}), kList,
                            {10, 10, 104, 100});
  const LRESULT fontHeight = SendMessageA(tight->Handle(), LB_GETITEMHEIGHT, 0, 0);
  EXPECT_GT(fontHeight, 0);
  EXPECT_EQ(SendMessageA(loose->Handle(), LB_GETITEMHEIGHT, 0, 0), fontHeight + 6);

  EXPECT_FALSE(SetNumber(loose.get(), Kind(), kRowSpacing, 2));
  EXPECT_EQ(SendMessageA(loose->Handle(), LB_GETITEMHEIGHT, 0, 0), fontHeight + 2);
  SetNumber(loose.get(), Kind(), kRowSpacing, -9);
  EXPECT_EQ(GetNumber(loose.get(), Kind(), kRowSpacing), 0);
  EXPECT_EQ(SendMessageA(loose->Handle(), LB_GETITEMHEIGHT, 0, 0), fontHeight);
}

TEST(ListBoxSelectionTest, WritesAreClampedAndRaiseNoEvent) {
  UnitBench bench;
  auto unit = bench.Create(Kind(), WritePropertyBlock(ListBoxProperties{.items = {"a", "b", "c"}}),
                           kList, {10, 10, 104, 100});
  HWND list = unit->Handle();
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kCurrentSelection), -1);

  bench.ClearEvents();
  SetNumber(unit.get(), Kind(), kCurrentSelection, 5);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kCurrentSelection), 2);
  SetNumber(unit.get(), Kind(), kCurrentSelection, 1);
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kCurrentSelection), 1);
  EXPECT_TRUE(IsListItemSelected(list, 1));
  SetNumber(unit.get(), Kind(), kCurrentSelection, -7);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kCurrentSelection), -1);
  EXPECT_TRUE(bench.Events().empty());

  ClearListItems(list);
  EXPECT_EQ(ListItemCount(list), 0);
  for (int64_t wanted : {0, 3, -1}) {
    SetNumber(unit.get(), Kind(), kCurrentSelection, wanted);
    EXPECT_EQ(GetNumber(unit.get(), Kind(), kCurrentSelection), -1) << wanted;
  }

  // A multiple-selection list has no single current item.
  auto multiple = bench.Create(Kind(),
                               WritePropertyBlock(ListBoxProperties{
                                   .multipleSelection = 1, .currentSelection = 0, .items = {"a"}}),
                               kList, {10, 10, 104, 100});
  EXPECT_EQ(StyleOf(multiple->Handle()) & LBS_EXTENDEDSEL, LBS_EXTENDEDSEL);
  EXPECT_EQ(GetNumber(multiple.get(), Kind(), kCurrentSelection), -1);
}

TEST(ListBoxSelectionTest, UserClickRaisesEventZeroOnceAndDoubleClickEventOne) {
  UnitBench bench;
  ShowWindow(bench.Parent(), SW_SHOWNOACTIVATE);
  auto unit = bench.Create(Kind(), WritePropertyBlock(ListBoxProperties{.items = {"a", "b", "c"}}),
                           kList, {10, 10, 104, 100});
  HWND list = unit->Handle();
  ShowWindow(list, SW_SHOWNA);
  RECT item;
  SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));

  bench.ClearEvents();
  ClickAt(list, item.left + 5, (item.top + item.bottom) / 2);
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kCurrentSelection), 1);
  std::vector<int32_t> events = bench.EventNumbers(kList);
  EXPECT_EQ(std::count(events.begin(), events.end(), 0), 1);
  EXPECT_EQ(events.front(), -7);  // the click gave the list the focus first

  bench.ClearEvents();
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.left + 5, item.top + 2));
  SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(item.left + 5, item.top + 2));
  events = bench.EventNumbers(kList);
  EXPECT_EQ(std::count(events.begin(), events.end(), 1), 1);

  bench.ClearEvents();
  SetFocus(bench.Parent());
  EXPECT_EQ(bench.EventNumbers(kList), std::vector<int32_t>{-8});
}

TEST(ListBoxItemTest, AddItemAnswersTheNewIndexWithAndWithoutSorting) {
  UnitBench bench;
  auto plain = bench.Create(Kind(), WritePropertyBlock(ListBoxProperties{.items = {"x", "y"}}),
                            kList, {10, 10, 104, 100});
  EXPECT_EQ(AddListItem(plain->Handle(), "a", 0), 2);
  EXPECT_EQ(AddListItem(plain->Handle(), "b", 42), 3);
  EXPECT_EQ(DataOf(plain->Handle(), 3), 42);
  EXPECT_EQ(ItemsOf(plain->Handle()), (std::vector<std::string>{"x", "y", "a", "b"}));

  auto sorted = bench.Create(
      Kind(), WritePropertyBlock(ListBoxProperties{.autoSort = 1, .items = {"b", "d"}}), kList,
      {10, 10, 104, 100});
  EXPECT_EQ(AddListItem(sorted->Handle(), "c", 5), 1);
  EXPECT_EQ(AddListItem(sorted->Handle(), "a", 6), 0);
  EXPECT_EQ(AddListItem(sorted->Handle(), "e", 7), 4);
  EXPECT_EQ(ItemsOf(sorted->Handle()), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(DataOf(sorted->Handle(), 2), 5);
  EXPECT_EQ(DataOf(sorted->Handle(), 0), 6);

  // A window that is not a list box unit takes no items.
  EXPECT_EQ(AddListItem(bench.Parent(), "a", 0), -1);
  EXPECT_EQ(ListItemCount(bench.Parent()), 0);
}

// Every item's text and data, asked of the control's own procedure: each
// read through the kind's item operations finds the unit through a window
// property, which under Wine would make reading 20,000 items most of the
// test.
struct ControlItems {
  std::vector<std::string> texts;
  std::vector<LRESULT> data;
  bool operator==(const ControlItems&) const = default;
};

ControlItems ItemsAskedOfTheControl(HWND list) {
  const auto control = reinterpret_cast<WNDPROC>(GetClassLongPtrA(list, GCLP_WNDPROC));
  const auto ask = [&](UINT message, WPARAM wParam, LPARAM lParam = 0) {
    return CallWindowProcA(control, list, message, wParam, lParam);
  };
  ControlItems items;
  const LRESULT count = ask(LB_GETCOUNT, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string text(static_cast<size_t>(ask(LB_GETTEXTLEN, i)) + 1, '\0');
    text.resize(static_cast<size_t>(ask(LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    items.texts.push_back(std::move(text));
    items.data.push_back(ask(LB_GETITEMDATA, i));
  }
  return items;
}

SCROLLINFO VerticalScrollOf(HWND list) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  GetScrollInfo(list, SB_VERT, &info);
  return info;
}

// 20,000 texts out of order, with an empty one, a double-byte one and
// repeats, as the loader's run would add them.
std::vector<std::string> ManyItemTexts() {
  std::vector<std::string> texts;
  for (int32_t i = 0; i < 20000; ++i) {
    const int32_t k = (i * 7919) % 20000;
    if (k % 1000 == 0) {
      texts.emplace_back();
    } else if (k % 777 == 0) {
      texts.emplace_back("汇编");
    } else {
      texts.push_back(std::to_string(k % 15000));
      texts.back().insert(0, 1, 'M');
    }
  }
  return texts;
}

TEST(ListBoxItemTest, ARunOfItemsGivesWhatAddingThemOneByOneGives) {
  UnitBench bench;
  const std::vector<std::string> texts = ManyItemTexts();
  const std::vector<std::string_view> views(texts.begin(), texts.end());
  for (const uint32_t autoSort : {0u, 1u}) {
    SCOPED_TRACE(autoSort);
    const Bytes block =
        WritePropertyBlock(ListBoxProperties{.autoSort = autoSort, .items = {"M5", "pre"}});
    auto byOne = bench.Create(Kind(), block, kList, {10, 10, 104, 224});
    auto byRun = bench.Create(Kind(), block, kList, {10, 10, 104, 224});
    ShowWindow(byOne->Handle(), SW_SHOWNA);
    ShowWindow(byRun->Handle(), SW_SHOWNA);
    for (const std::string& text : texts) {
      AddListItem(byOne->Handle(), text.c_str(), 0);
    }
    EXPECT_EQ(AddListItems(byRun->Handle(), views), 20000);

    EXPECT_EQ(ListItemCount(byRun->Handle()), 20002);
    const ControlItems one = ItemsAskedOfTheControl(byOne->Handle());
    EXPECT_EQ(one.texts.size(), 20002u);
    EXPECT_TRUE(ItemsAskedOfTheControl(byRun->Handle()) == one);
    // Redrawing is on again: the scroll bar knows every item.
    const SCROLLINFO oneScroll = VerticalScrollOf(byOne->Handle());
    const SCROLLINFO runScroll = VerticalScrollOf(byRun->Handle());
    EXPECT_EQ(std::make_tuple(runScroll.nMin, runScroll.nMax, runScroll.nPage, runScroll.nPos),
              std::make_tuple(oneScroll.nMin, oneScroll.nMax, oneScroll.nPage, oneScroll.nPos));
    EXPECT_NE(StyleOf(byRun->Handle()) & WS_VISIBLE, 0);

    for (const int64_t wanted : {12345, 99999, 0, -1}) {
      SetNumber(byOne.get(), Kind(), kCurrentSelection, wanted);
      SetNumber(byRun.get(), Kind(), kCurrentSelection, wanted);
      EXPECT_EQ(GetNumber(byRun.get(), Kind(), kCurrentSelection),
                GetNumber(byOne.get(), Kind(), kCurrentSelection))
          << wanted;
    }
    SetNumber(byRun.get(), Kind(), kCurrentSelection, 20001);
    EXPECT_TRUE(IsListItemSelected(byRun->Handle(), 20001));
  }

  // A hidden list stays hidden; a window that is not a list box unit takes
  // no items.
  auto hidden =
      bench.Create(Kind(), WritePropertyBlock(ListBoxProperties{}), kList, {10, 10, 104, 100});
  EXPECT_EQ(AddListItems(hidden->Handle(), std::span(views).first(10)), 10);
  EXPECT_EQ(StyleOf(hidden->Handle()) & WS_VISIBLE, 0);
  EXPECT_EQ(ListItemText(hidden->Handle(), 1), texts[1]);
  EXPECT_EQ(AddListItems(bench.Parent(), views), 0);
  EXPECT_EQ(ListItemCount(bench.Parent()), 0);
}

TEST(ListBoxItemTest, OutOfRangeIndexesGiveTheEmptyTextAndFalse) {
  UnitBench bench;
  auto unit =
      bench.Create(Kind(), WritePropertyBlock(ListBoxProperties{.items = {"mov", "", "汇编"}}),
                   kList, {10, 10, 104, 100});
  HWND list = unit->Handle();
  SetNumber(unit.get(), Kind(), kCurrentSelection, 0);
  EXPECT_EQ(ListItemText(list, 0), "mov");
  EXPECT_EQ(ListItemText(list, 1), "");
  EXPECT_EQ(ListItemText(list, 2), "汇编");
  EXPECT_TRUE(IsListItemSelected(list, 0));
  EXPECT_FALSE(IsListItemSelected(list, 2));
  for (int32_t outside : {-1, 3, 1000}) {
    EXPECT_EQ(ListItemText(list, outside), "") << outside;
    EXPECT_FALSE(IsListItemSelected(list, outside)) << outside;
  }

  ClearListItems(list);
  EXPECT_EQ(ListItemCount(list), 0);
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kCurrentSelection), -1);
  EXPECT_EQ(ListItemText(list, 0), "");
  EXPECT_FALSE(IsListItemSelected(list, 0));
}

TEST(ListBoxPropertyTest, ItemListWritesRebuildAndAddedItemsAreNotSaved) {
  UnitBench bench;
  auto unit = bench.Create(Kind(), WritePropertyBlock(ListBoxProperties{.items = {"a"}}), kList,
                           {10, 10, 104, 100});
  AddListItem(unit->Handle(), "added", 0);

  EXPECT_FALSE(SetNumber(unit.get(), Kind(), kAutoSort, 0));
  EXPECT_TRUE(SetNumber(unit.get(), Kind(), kAutoSort, 1));
  EXPECT_FALSE(SetNumber(unit.get(), Kind(), kMultipleSelection, 0));
  EXPECT_TRUE(SetBytes(unit.get(), Kind(), kItemTexts, TextList({"p", "q"})));
  EXPECT_EQ(GetBytes(unit.get(), Kind(), kItemTexts), TextList({"p", "q"}));
  EXPECT_TRUE(SetBytes(unit.get(), Kind(), kItemData, Dwords({3})));
  EXPECT_EQ(GetBytes(unit.get(), Kind(), kItemData), Dwords({3}));

  auto save = KindOperation<SaveUnitOperation>(Kind(), unit_operation::kSave);
  ListBoxProperties saved;
  ASSERT_TRUE(ReadPropertyBlock(save(unit.get()), &saved));
  EXPECT_EQ(saved.items, (std::vector<std::string>{"p", "q"}));
  EXPECT_EQ(saved.autoSort, 1u);
  EXPECT_EQ(saved.itemData, Dwords({3}));

  // Bytes that hold no item list give none.
  EXPECT_TRUE(SetBytes(unit.get(), Kind(), kItemTexts, Bytes{5, 0, 1}));
  EXPECT_EQ(GetBytes(unit.get(), Kind(), kItemTexts), TextList({}));

  EXPECT_FALSE(SetNumber(unit.get(), Kind(), kBorderStyle, -4));
  EXPECT_EQ(GetNumber(unit.get(), Kind(), kBorderStyle), 0);
  EXPECT_EQ(ExStyleOf(unit->Handle()) & WS_EX_CLIENTEDGE, 0);
}

TEST(ListBoxColourTest, ReflectedCtlColorUsesTheUnitsColoursAndBrush) {
  UnitBench bench;
  auto unit = bench.Create(Kind(),
                           WritePropertyBlock(ListBoxProperties{.textColour = 0x00FF8800,
                                                                .backgroundColour = 0x00102030}),
                           kList, {10, 10, 104, 100});
  HWND list = unit->Handle();
  WindowDc dc(list);
  auto ctlColor = [&] {
    return reinterpret_cast<HBRUSH>(SendMessageA(bench.Parent(), WM_CTLCOLORLISTBOX,
                                                 reinterpret_cast<WPARAM>(dc.Get()),
                                                 reinterpret_cast<LPARAM>(list)));
  };
  LOGBRUSH described{};
  GetObjectA(ctlColor(), sizeof described, &described);
  EXPECT_EQ(described.lbColor, 0x00102030u);
  EXPECT_EQ(GetTextColor(dc.Get()), 0x00FF8800u);
  EXPECT_EQ(GetBkColor(dc.Get()), 0x00102030u);

  SetNumber(unit.get(), Kind(), kTextColour, 0x000000FF);
  ctlColor();
  EXPECT_EQ(GetTextColor(dc.Get()), 0x000000FFu);
}

}  // namespace
}  // namespace mnemora
