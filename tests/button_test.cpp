// The button kind as a real native button: the main window's three buttons
// from their stored blocks, the default-button toggle and Enter interest,
// alignment, clicks and focus as events, pictures and their dropping.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_form.h"
#include "tests/test_pictures.h"
#include "tests/unit_bench.h"
#include "tests/window_pixels.h"
#include "window/units/button.h"
#include "window/units/button_block.h"

namespace mnemora {
namespace {

using namespace bench;
using namespace test_pictures;

const UnitTypeDescriptor& kButton = kButtonKindDescriptor;
constexpr uint32_t kButtonId = app::unit::kDeleteButton;

// Property numbers.
constexpr int32_t kPicture = 8;
constexpr int32_t kDefaultButton = 9;
constexpr int32_t kCaption = 10;
constexpr int32_t kHorizontalAlignment = 11;
constexpr int32_t kVerticalAlignment = 12;
constexpr int32_t kFont = 13;

Bytes TextBytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

bool ActsOnEnter(UnitObject* unit) {
  return KindOperation<EnterInterestOperation>(kButton, unit_operation::kEnterInterest)(unit);
}

Bytes Save(UnitObject* unit) {
  return KindOperation<SaveUnitOperation>(kButton, unit_operation::kSave)(unit);
}

class ButtonTest : public ::testing::Test {
 protected:
  std::unique_ptr<UnitObject> CreateButton(const Bytes& block) {
    return bench_.Create(kButton, block, kButtonId, {10, 10, 88, 40});
  }
  std::unique_ptr<UnitObject> CreateFrom(const ButtonProperties& properties) {
    return CreateButton(WritePropertyBlock(properties));
  }

  UnitBench bench_;
};

TEST_F(ButtonTest, MainWindowButtonsAreCreatedAsStoredAndDoNotActOnEnter) {
  struct Stored {
    uint32_t id;
    const char* caption;
    UnitPlace place;
  };
  const Stored buttons[] = {
      {app::unit::kAddButton, "添加", {137, 14, 88, 21}},
      {app::unit::kModifyButton, "修改", {269, 14, 88, 21}},
      {app::unit::kDeleteButton, "删除", {401, 14, 88, 21}},
  };
  for (const Stored& stored : buttons) {
    SCOPED_TRACE(stored.caption);
    const Bytes block = MainFormBlock(stored.id);
    std::unique_ptr<UnitObject> button =
        bench_.Create(kButton, block, stored.id, stored.place, kUnitStyleTabStop);
    ASSERT_NE(button, nullptr);
    HWND handle = button->Handle();
    char className[16] = {};
    GetClassNameA(handle, className, sizeof className);
    EXPECT_STRCASEEQ(className, "BUTTON");
    EXPECT_EQ(StyleOf(handle), static_cast<LONG_PTR>(0x44002000 | BS_CENTER | BS_VCENTER |
                                                     BS_PUSHBUTTON | WS_TABSTOP));
    EXPECT_EQ(WindowTextOf(handle), stored.caption);
    EXPECT_EQ(SendMessageA(handle, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_FALSE(ActsOnEnter(button.get()));
    EXPECT_EQ(Save(button.get()), block);
  }

  std::unique_ptr<UnitObject> disabled = bench_.Create(kButton, MainFormBlock(kButtonId), kButtonId,
                                                       {0, 0, 88, 21}, kUnitStyleDisabled);
  ASSERT_NE(disabled, nullptr);
  EXPECT_FALSE(IsWindowEnabled(disabled->Handle()));
  EXPECT_EQ(StyleOf(disabled->Handle()) & WS_TABSTOP, 0);

  Bytes newer = MainFormBlock(kButtonId);
  newer[0] = 2;
  EXPECT_EQ(CreateButton(newer), nullptr);
}

TEST_F(ButtonTest, OnlyADefaultButtonActsOnEnter) {
  std::unique_ptr<UnitObject> button = CreateButton(MainFormBlock(kButtonId));
  ASSERT_NE(button, nullptr);
  HWND handle = button->Handle();

  EXPECT_FALSE(SetNumber(button.get(), kButton, kDefaultButton, 5));
  EXPECT_EQ(GetNumber(button.get(), kButton, kDefaultButton), 1);
  EXPECT_EQ(StyleOf(handle) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(ActsOnEnter(button.get()));

  SetNumber(button.get(), kButton, kDefaultButton, 0);
  EXPECT_EQ(GetNumber(button.get(), kButton, kDefaultButton), 0);
  EXPECT_EQ(StyleOf(handle) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_FALSE(ActsOnEnter(button.get()));
  // The toggle leaves the other style bits alone.
  EXPECT_EQ(StyleOf(handle) & (BS_MULTILINE | BS_CENTER | BS_VCENTER),
            BS_MULTILINE | BS_CENTER | BS_VCENTER);

  std::unique_ptr<UnitObject> stored = CreateFrom({.defaultButton = 1});
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(StyleOf(stored->Handle()) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(ActsOnEnter(stored.get()));
}

TEST_F(ButtonTest, AlignmentWritesAreClampedAndReplaceTheStyleBits) {
  std::unique_ptr<UnitObject> button = CreateFrom({});
  ASSERT_NE(button, nullptr);
  HWND handle = button->Handle();
  auto horizontal = [&] { return StyleOf(handle) & BS_CENTER; };
  auto vertical = [&] { return StyleOf(handle) & BS_VCENTER; };
  EXPECT_EQ(horizontal(), BS_CENTER);
  EXPECT_EQ(vertical(), BS_VCENTER);

  EXPECT_FALSE(SetNumber(button.get(), kButton, kHorizontalAlignment, 7));
  EXPECT_EQ(GetNumber(button.get(), kButton, kHorizontalAlignment), 2);
  EXPECT_EQ(horizontal(), BS_RIGHT);
  SetNumber(button.get(), kButton, kHorizontalAlignment, -1);
  EXPECT_EQ(GetNumber(button.get(), kButton, kHorizontalAlignment), 0);
  EXPECT_EQ(horizontal(), BS_LEFT);

  SetNumber(button.get(), kButton, kVerticalAlignment, 0);
  EXPECT_EQ(vertical(), BS_TOP);
  SetNumber(button.get(), kButton, kVerticalAlignment, 9);
  EXPECT_EQ(GetNumber(button.get(), kButton, kVerticalAlignment), 2);
  EXPECT_EQ(vertical(), BS_BOTTOM);
  EXPECT_EQ(StyleOf(handle) & (BS_MULTILINE | BS_TYPEMASK), BS_MULTILINE | BS_PUSHBUTTON);

  std::unique_ptr<UnitObject> stored =
      CreateFrom({.horizontalAlignment = 0xFFFFFFFF, .verticalAlignment = 3});
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(StyleOf(stored->Handle()) & (BS_CENTER | BS_VCENTER), BS_RIGHT | BS_BOTTOM);
}

TEST_F(ButtonTest, ClicksAndFocusChangesBecomeEvents) {
  std::unique_ptr<UnitObject> button = CreateButton(MainFormBlock(kButtonId));
  ASSERT_NE(button, nullptr);
  ShowWindow(bench_.Parent(), SW_SHOWNA);
  ShowWindow(button->Handle(), SW_SHOWNA);
  SetFocus(bench_.Parent());
  bench_.ClearEvents();

  SetFocus(button->Handle());
  EXPECT_EQ(GetFocus(), button->Handle());
  SetFocus(bench_.Parent());
  EXPECT_EQ(bench_.EventNumbers(kButtonId), (std::vector<int32_t>{-7, -8}));

  bench_.ClearEvents();
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  std::vector<RaisedEvent> clicks;
  for (const RaisedEvent& e : bench_.EventsOf(kButtonId)) {
    if (e.event == 0) {
      clicks.push_back(e);
    }
  }
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].windowId, kWindowId);
  EXPECT_TRUE(clicks[0].arguments.empty());
}

TEST_F(ButtonTest, PictureIsShownAsABitmapOnTheButtonFaceOrAsAnIcon) {
  std::unique_ptr<UnitObject> button = CreateButton(MainFormBlock(kButtonId));
  ASSERT_NE(button, nullptr);
  const Bytes png = MakePng(16, 8, [](int x, int) { return x < 8 ? kRed : Rgba{0, 0, 0, 0}; });

  // The kind asks to be re-created; the new unit comes from the saved block.
  EXPECT_TRUE(SetBytes(button.get(), kButton, kPicture, png));
  EXPECT_EQ(GetBytes(button.get(), kButton, kPicture), png);
  std::unique_ptr<UnitObject> pictured = CreateButton(Save(button.get()));
  ASSERT_NE(pictured, nullptr);
  HWND handle = pictured->Handle();
  EXPECT_EQ(StyleOf(handle) & (BS_BITMAP | BS_ICON), BS_BITMAP);
  auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(handle, BM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(bitmap, nullptr);
  const Pixels pixels = BitmapPixels(bitmap);
  EXPECT_EQ(pixels.Width(), 16);
  EXPECT_EQ(pixels.Height(), 8);
  EXPECT_EQ(pixels.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(pixels.At(15, 0), GetSysColor(COLOR_BTNFACE));
  // The button draws it: red in the middle of its left half.
  const Pixels drawn = PrintClient(handle);
  EXPECT_EQ(drawn.At(drawn.Width() / 2 - 4, drawn.Height() / 2), RGB(255, 0, 0));

  const Bytes icon = MakeIcon32(16, [](int, int) { return kBlue; });
  EXPECT_TRUE(SetBytes(button.get(), kButton, kPicture, icon));
  std::unique_ptr<UnitObject> iconic = CreateButton(Save(button.get()));
  ASSERT_NE(iconic, nullptr);
  EXPECT_EQ(StyleOf(iconic->Handle()) & (BS_BITMAP | BS_ICON), BS_ICON);
  EXPECT_NE(SendMessageA(iconic->Handle(), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

TEST_F(ButtonTest, UndecodablePictureIsDroppedAndTheCaptionShown) {
  std::unique_ptr<UnitObject> button = CreateButton(MainFormBlock(kButtonId));
  ASSERT_NE(button, nullptr);
  const Bytes garbage = TextBytes("GIF89a, or nothing at all");
  EXPECT_TRUE(SetBytes(button.get(), kButton, kPicture, garbage));
  EXPECT_TRUE(GetBytes(button.get(), kButton, kPicture).empty());

  std::unique_ptr<UnitObject> stored =
      CreateFrom({.picture = garbage, .caption = std::string("删除")});
  ASSERT_NE(stored, nullptr);
  EXPECT_TRUE(GetBytes(stored.get(), kButton, kPicture).empty());
  EXPECT_EQ(StyleOf(stored->Handle()) & (BS_BITMAP | BS_ICON), 0);
  EXPECT_EQ(WindowTextOf(stored->Handle()), "删除");
  ButtonProperties saved;
  ASSERT_TRUE(ReadPropertyBlock(Save(stored.get()), &saved));
  EXPECT_TRUE(saved.picture.empty());
}

TEST_F(ButtonTest, CaptionFontAndTextConversion) {
  std::unique_ptr<UnitObject> button = CreateButton(MainFormBlock(kButtonId));
  ASSERT_NE(button, nullptr);
  HWND handle = button->Handle();
  EXPECT_FALSE(SetBytes(button.get(), kButton, kCaption, TextBytes("确定")));
  EXPECT_EQ(WindowTextOf(handle), "确定");
  EXPECT_EQ(GetBytes(button.get(), kButton, kCaption), TextBytes("确定"));

  LOGFONTA wanted{};
  wanted.lfHeight = -20;
  wanted.lfWeight = 700;
  wanted.lfCharSet = 134;
  std::strcpy(wanted.lfFaceName, "宋体");
  Bytes record(sizeof wanted);
  std::memcpy(record.data(), &wanted, sizeof wanted);
  SetBytes(button.get(), kButton, kFont, record);
  EXPECT_EQ(GetBytes(button.get(), kButton, kFont), record);
  LOGFONTA used{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(handle, WM_GETFONT, 0, 0)), sizeof used, &used);
  EXPECT_EQ(used.lfHeight, -20);
  EXPECT_EQ(used.lfWeight, 700);
  EXPECT_EQ(used.lfCharSet, DEFAULT_CHARSET);

  SetBytes(button.get(), kButton, kFont, Bytes(10, 0));
  EXPECT_EQ(SendMessageA(handle, WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));

  auto convert = KindOperation<ConvertTextsOperation>(kButton, unit_operation::kConvertTexts);
  ASSERT_NE(convert, nullptr);
  const ButtonProperties original{.defaultButton = 1, .font = record, .caption = "添加"};
  ButtonProperties converted;
  ASSERT_TRUE(ReadPropertyBlock(convert(WritePropertyBlock(original),
                                        [](const std::string& text) { return "[" + text + "]"; }),
                                &converted));
  ButtonProperties expected = original;
  expected.caption = "[添加]";
  EXPECT_EQ(converted, expected);
}

TEST_F(ButtonTest, DestructionIsReportedOnceAndDeletingTakesTheWindowAlong) {
  std::unique_ptr<UnitObject> button = CreateButton(MainFormBlock(kButtonId));
  ASSERT_NE(button, nullptr);
  DestroyWindow(button->Handle());
  ASSERT_EQ(bench_.Destroyed().size(), 1u);
  EXPECT_EQ(bench_.Destroyed()[0].unitId, kButtonId);
  button.reset();
  EXPECT_EQ(bench_.Destroyed().size(), 1u);

  std::unique_ptr<UnitObject> deleted = CreateButton(MainFormBlock(kButtonId));
  ASSERT_NE(deleted, nullptr);
  HWND handle = deleted->Handle();
  deleted.reset();
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(bench_.Destroyed().size(), 1u);
}

}  // namespace
}  // namespace mnemora
