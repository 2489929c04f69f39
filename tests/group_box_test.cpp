// The group box kind as a real window: its native style, colours and
// caption alignment checked by pixels, and its part as the container whose
// children's notifications must reach their own units.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "caption_units_support.h"
#include "window/unit_object.h"
#include "window/units/group_box.h"
#include "window/units/group_box_block.h"
#include "window/units/label.h"

namespace mnemora {
namespace {

using testing::ColouredParent;
using testing::CreateUnit;
using testing::GetUnitProperty;
using testing::KindOperation;
using testing::Pixels;
using testing::PrintClient;
using testing::RecordingWindowSystem;
using testing::SetUnitNumber;
using testing::SetUnitText;
using testing::TextOfValue;

constexpr uint32_t kUnitId = 0x1601016B;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBackground = RGB(200, 230, 250);

// Property numbers the application uses.
enum : int32_t {
  kCaption = 8,
  kAlignment = 9,
  kTextColour = 10,
  kBackgroundColour = 11,
};

// A unit on a group box that records the notifications handed to it.
class RecordingUnit : public UnitObject {
 public:
  explicit RecordingUnit(HWND handle) : UnitObject(testing::kTestWindowId, 0x16010170, 0) {
    Attach(handle);
  }
  bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) override {
    if (message == WM_COMMAND) {
      notifications.push_back(HIWORD(wParam));
      *result = 0;
      return true;
    }
    return false;
  }
  std::vector<WORD> notifications;
};

class GroupBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box_ = CreateUnit(kGroupBoxKindDescriptor,
                      WriteGroupBoxBlock(GroupBoxProperties{
                          .textColour = kRed, .backgroundColour = kBackground, .caption = "Data"}),
                      parent_.Handle(), RECT{8, 8, 248, 88}, kUnitId);
    ASSERT_NE(box_, nullptr);
    ShowWindow(box_->Handle(), SW_SHOWNA);
  }

  void SetNumber(int32_t property, int64_t number) {
    EXPECT_FALSE(SetUnitNumber(kGroupBoxKindDescriptor, box_.get(), property, number));
  }
  int64_t Number(int32_t property) {
    return GetUnitProperty(kGroupBoxKindDescriptor, box_.get(), property).number;
  }
  // Columns of the caption: the only pixels in the text colour.
  RECT Caption(const Pixels& pixels) {
    return pixels.BoundsOf(pixels.All(), [](COLORREF c) { return c == kRed; });
  }

  RecordingWindowSystem windowSystem_;
  ColouredParent parent_{RGB(0, 128, 0), 300, 120};
  std::unique_ptr<UnitObject> box_;
};

TEST_F(GroupBoxTest, IsANativeGroupFrameWithTheCommonStyles) {
  char className[16] = {};
  GetClassNameA(box_->Handle(), className, sizeof className);
  EXPECT_STREQ(className, "Button");
  const LONG_PTR style = GetWindowLongPtrA(box_->Handle(), GWL_STYLE);
  EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX);
  EXPECT_EQ(style & BS_CENTER, BS_LEFT);
  EXPECT_NE(style & WS_CLIPSIBLINGS, 0);

  auto hidden = CreateUnit(kGroupBoxKindDescriptor, Bytes(), parent_.Handle(), RECT{0, 0, 50, 50},
                           kUnitId + 1, kUnitStyleDisabled | kUnitStyleTabStop);
  ASSERT_NE(hidden, nullptr);
  EXPECT_FALSE(IsWindowVisible(hidden->Handle()));
  EXPECT_FALSE(IsWindowEnabled(hidden->Handle()));
  EXPECT_NE(GetWindowLongPtrA(hidden->Handle(), GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(GetUnitProperty(kGroupBoxKindDescriptor, hidden.get(), kBackgroundColour).number,
            0xFF000000);

  Bytes tooNew = WriteGroupBoxBlock(GroupBoxProperties{});
  tooNew[0] = 2;
  EXPECT_EQ(CreateUnit(kGroupBoxKindDescriptor, tooNew, parent_.Handle(), RECT{0, 0, 9, 9}, 3),
            nullptr);
}

TEST_F(GroupBoxTest, PaintsBackgroundAndCaptionInItsColoursWhereAligned) {
  Pixels pixels = PrintClient(box_->Handle(), RGB(1, 2, 3));
  EXPECT_EQ(pixels.At(pixels.Width() / 2, pixels.Height() / 2), kBackground);
  RECT caption = Caption(pixels);
  ASSERT_LT(caption.left, caption.right) << "the caption is drawn in the text colour";
  EXPECT_LT(caption.left, pixels.Width() / 4);
  EXPECT_LT(caption.bottom, pixels.Height() / 2) << "along the top edge";

  SetNumber(kAlignment, 2);
  EXPECT_EQ(GetWindowLongPtrA(box_->Handle(), GWL_STYLE) & BS_CENTER, BS_RIGHT);
  pixels = PrintClient(box_->Handle(), RGB(1, 2, 3));
  caption = Caption(pixels);
  EXPECT_GT(caption.left, pixels.Width() / 2);

  SetNumber(kAlignment, 1);
  pixels = PrintClient(box_->Handle(), RGB(1, 2, 3));
  caption = Caption(pixels);
  EXPECT_NEAR((caption.left + caption.right) / 2, pixels.Width() / 2, 3);

  SetNumber(kTextColour, RGB(0, 0, 255));
  SetNumber(kBackgroundColour, RGB(255, 255, 0));
  pixels = PrintClient(box_->Handle(), RGB(1, 2, 3));
  EXPECT_EQ(pixels.Count(pixels.All(), kRed), 0);
  EXPECT_GT(pixels.Count(pixels.All(), RGB(0, 0, 255)), 0);
  EXPECT_EQ(pixels.At(pixels.Width() / 2, pixels.Height() / 2), RGB(255, 255, 0));
}

// The button-face background is looked up at every paint, not once.
TEST_F(GroupBoxTest, ButtonFaceBackgroundFollowsTheSystemColour) {
  SetNumber(kBackgroundColour, 0xFF000000);
  const int element = COLOR_BTNFACE;
  const COLORREF original = GetSysColor(COLOR_BTNFACE);
  const COLORREF changed = RGB(10, 200, 30);
  ASSERT_TRUE(SetSysColors(1, &element, &changed));
  const Pixels pixels = PrintClient(box_->Handle(), RGB(1, 2, 3));
  SetSysColors(1, &element, &original);
  EXPECT_EQ(pixels.At(pixels.Width() / 2, pixels.Height() / 2), changed);
}

TEST_F(GroupBoxTest, PropertiesRoundTripAndClamp) {
  SetNumber(kAlignment, 7);
  EXPECT_EQ(Number(kAlignment), 2);
  SetNumber(kAlignment, -1);
  EXPECT_EQ(Number(kAlignment), 0);
  EXPECT_EQ(GetWindowLongPtrA(box_->Handle(), GWL_STYLE) & BS_CENTER, BS_LEFT);

  SetUnitText(kGroupBoxKindDescriptor, box_.get(), kCaption, "数据操作");
  char text[32] = {};
  GetWindowTextA(box_->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "数据操作");
  SetWindowTextA(box_->Handle(), "outside");
  EXPECT_EQ(TextOfValue(GetUnitProperty(kGroupBoxKindDescriptor, box_.get(), kCaption)), "outside");

  const Bytes saved =
      KindOperation<SaveUnitOperation>(kGroupBoxKindDescriptor, unit_operation::kSave)(box_.get());
  GroupBoxProperties read;
  ASSERT_TRUE(ReadGroupBoxBlock(saved, &read));
  EXPECT_EQ(read, (GroupBoxProperties{
                      .textColour = kRed, .backgroundColour = kBackground, .caption = "outside"}));
}

// The group box and the label both contain units: a child's notification
// to its parent must arrive at the child's unit object.
TEST_F(GroupBoxTest, ContainersHandNotificationsToTheirChildrensUnits) {
  auto label = CreateUnit(kLabelKindDescriptor, Bytes(), parent_.Handle(), RECT{0, 90, 100, 110},
                          0x1601008C);
  ASSERT_NE(label, nullptr);
  for (HWND container : {box_->Handle(), label->Handle()}) {
    HWND button = CreateWindowExA(0, "BUTTON", "Add", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 20,
                                  60, 20, container, reinterpret_cast<HMENU>(150),
                                  GetModuleHandleA(nullptr), nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 80, 20, 60, 20, container,
                                reinterpret_cast<HMENU>(160), GetModuleHandleA(nullptr), nullptr);
    RecordingUnit buttonUnit(button);
    RecordingUnit editUnit(edit);
    SendMessageA(button, BM_CLICK, 0, 0);
    SetWindowTextA(edit, "mov");
    EXPECT_EQ(buttonUnit.notifications, std::vector<WORD>{BN_CLICKED});
    ASSERT_FALSE(editUnit.notifications.empty());
    EXPECT_EQ(editUnit.notifications.back(), EN_CHANGE);
    DestroyWindow(button);
    DestroyWindow(edit);
  }
}

TEST_F(GroupBoxTest, DestroyedNativeWindowIsReported) {
  DestroyWindow(box_->Handle());
  ASSERT_EQ(windowSystem_.destroyed.size(), 1u);
  EXPECT_EQ(windowSystem_.destroyed[0].unitId, kUnitId);
  box_.reset();
  EXPECT_EQ(windowSystem_.destroyed.size(), 1u);
}

TEST_F(GroupBoxTest, ConvertTextsOffersTheCaption) {
  const auto convert =
      KindOperation<ConvertTextsOperation>(kGroupBoxKindDescriptor, unit_operation::kConvertTexts);
  const Bytes converted = convert(WriteGroupBoxBlock(GroupBoxProperties{.caption = "指令集"}),
                                  [](const std::string& text) { return "<" + text + ">"; });
  GroupBoxProperties read;
  ASSERT_TRUE(ReadGroupBoxBlock(converted, &read));
  EXPECT_EQ(read.caption, "<指令集>");
}

}  // namespace
}  // namespace mnemora
