// The group box kind as a real window: native style, colours and caption
// alignment checked by pixels, and its part as the container whose
// children's notifications must reach their own units.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/unit_bench.h"
#include "tests/window_pixels.h"
#include "window/unit_object.h"
#include "window/units/group_box.h"
#include "window/units/group_box_block.h"
#include "window/units/label.h"

namespace mnemora {
namespace {

using namespace bench;

constexpr uint32_t kUnitId = 0x1601016B;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBackground = RGB(200, 230, 250);

// Property numbers the application uses.
enum : int32_t { kCaption = 8, kAlignment = 9, kTextColour = 10, kBackgroundColour = 11 };

// A unit placed in a container, recording the notifications handed to it.
class RecordingUnit : public UnitObject {
 public:
  explicit RecordingUnit(HWND handle) : UnitObject(kWindowId, 0x16010170, 0) { Attach(handle); }
  bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) override {
    if (message != WM_COMMAND) {
      return false;
    }
    notifications.push_back(HIWORD(wParam));
    *result = 0;
    return true;
  }
  std::vector<WORD> notifications;
};

class GroupBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box_ =
        bench_.Create(kGroupBoxKindDescriptor,
                      WritePropertyBlock(GroupBoxProperties{
                          .textColour = kRed, .backgroundColour = kBackground, .caption = "Data"}),
                      kUnitId, {8, 8, 240, 80});
    ASSERT_NE(box_, nullptr);
    ShowWindow(box_->Handle(), SW_SHOWNA);
  }
  void Set(int32_t property, int64_t number) {
    EXPECT_FALSE(SetNumber(box_.get(), kGroupBoxKindDescriptor, property, number));
  }
  // The caption is the only thing drawn in the text colour.
  RECT Caption(const Pixels& pixels, COLORREF colour = kRed) {
    return pixels.BoundsOf(pixels.All(), [&](COLORREF c) { return c == colour; });
  }
  Pixels Render() { return PrintClient(box_->Handle()); }

  UnitBench bench_{ShownParent{RGB(0, 128, 0), 300, 120}};
  std::unique_ptr<UnitObject> box_;
};

TEST_F(GroupBoxTest, NativeGroupFrameWithColoursAndAlignedCaption) {
  const LONG_PTR style = GetWindowLongPtrA(box_->Handle(), GWL_STYLE);
  EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX);
  EXPECT_EQ(style & BS_CENTER, BS_LEFT);

  Pixels pixels = Render();
  EXPECT_EQ(pixels.At(pixels.Width() / 2, pixels.Height() / 2), kBackground);
  RECT caption = Caption(pixels);
  ASSERT_LT(caption.left, caption.right) << "drawn in the text colour";
  EXPECT_LT(caption.left, pixels.Width() / 4);
  EXPECT_LT(caption.bottom, pixels.Height() / 2) << "along the top edge";

  Set(kAlignment, 7);
  EXPECT_EQ(GetNumber(box_.get(), kGroupBoxKindDescriptor, kAlignment), 2);
  EXPECT_EQ(GetWindowLongPtrA(box_->Handle(), GWL_STYLE) & BS_CENTER, BS_RIGHT);
  EXPECT_GT(Caption(Render()).left, pixels.Width() / 2);

  Set(kAlignment, 1);
  caption = Caption(Render());
  EXPECT_NEAR(caption.left + caption.right, pixels.Width(), 6);

  Set(kTextColour, RGB(0, 0, 255));
  Set(kBackgroundColour, RGB(255, 255, 0));
  pixels = Render();
  EXPECT_EQ(pixels.Count(pixels.All(), kRed), 0);
  EXPECT_GT(pixels.Count(pixels.All(), RGB(0, 0, 255)), 0);
  EXPECT_EQ(pixels.At(pixels.Width() / 2, pixels.Height() / 2), RGB(255, 255, 0));

  // The button face is looked up at every paint.
  Set(kBackgroundColour, 0xFF000000);
  const int element = COLOR_BTNFACE;
  const COLORREF original = GetSysColor(COLOR_BTNFACE);
  const COLORREF changed = RGB(10, 200, 30);
  ASSERT_TRUE(SetSysColors(1, &element, &changed));
  pixels = Render();
  SetSysColors(1, &element, &original);
  EXPECT_EQ(pixels.At(pixels.Width() / 2, pixels.Height() / 2), changed);
}

TEST_F(GroupBoxTest, CaptionIsTheWindowTextAndIsSaved) {
  EXPECT_FALSE(SetText(box_.get(), kGroupBoxKindDescriptor, kCaption, "数据操作"));
  char text[32] = {};
  GetWindowTextA(box_->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "数据操作");
  SetWindowTextA(box_->Handle(), "outside");
  GroupBoxProperties saved;
  ASSERT_TRUE(ReadPropertyBlock(
      KindOperation<SaveUnitOperation>(kGroupBoxKindDescriptor, unit_operation::kSave)(box_.get()),
      &saved));
  EXPECT_EQ(saved, (GroupBoxProperties{
                       .textColour = kRed, .backgroundColour = kBackground, .caption = "outside"}));
}

// The group box and the label both contain units: a child's notification
// to its parent must arrive at the child's unit object.
TEST_F(GroupBoxTest, ContainersHandNotificationsToTheirChildrensUnits) {
  auto label = bench_.Create(kLabelKindDescriptor, Bytes(), 7, {0, 90, 100, 20});
  ASSERT_NE(label, nullptr);
  for (HWND container : {box_->Handle(), label->Handle()}) {
    HWND button = CreateWindowExA(0, "BUTTON", "Add", WS_CHILD | BS_PUSHBUTTON, 10, 20, 60, 20,
                                  container, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 80, 20, 60, 20, container, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
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

TEST_F(GroupBoxTest, CreationStylesVersionAndDestructionReport) {
  auto other = bench_.Create(kGroupBoxKindDescriptor, Bytes(), kUnitId + 1, {0, 0, 50, 50},
                             kUnitStyleDisabled | kUnitStyleTabStop);
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(IsWindowVisible(other->Handle()));
  EXPECT_FALSE(IsWindowEnabled(other->Handle()));
  EXPECT_NE(GetWindowLongPtrA(other->Handle(), GWL_STYLE) & WS_TABSTOP, 0);

  Bytes tooNew = WritePropertyBlock(GroupBoxProperties{});
  tooNew[0] = 2;
  EXPECT_EQ(bench_.Create(kGroupBoxKindDescriptor, tooNew, 3, {0, 0, 9, 9}), nullptr);

  DestroyWindow(box_->Handle());
  EXPECT_EQ(bench_.Destroyed(), (std::vector<DestructionReport>{{kWindowId, kUnitId}}));
  box_.reset();
  other.reset();
  EXPECT_EQ(bench_.Destroyed().size(), 1u);
}

}  // namespace
}  // namespace mnemora
