// The label kind as a real window: painting checked by pixels, clamping,
// its caption as window text, its event on the private message and its
// destruction report.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "tests/unit_bench.h"
#include "tests/window_pixels.h"
#include "test_pictures.h"
#include "window/unit_object.h"
#include "window/units/label.h"
#include "window/units/label_block.h"

namespace mnemora {
namespace {

using namespace bench;

constexpr uint32_t kUnitId = 0x1601016C;
constexpr COLORREF kTextColour = 0x00C06000;

// Property numbers the application uses.
enum : int32_t {
  kCaption = 8,
  kEffect = 9,
  kBorderStyle = 10,
  kFrameWidth = 11,
  kTextColourProperty = 16,
  kBackgroundColour = 17,
  kPicture = 18,
  kPictureMode = 19,
  kGradientMode = 20,
  kHorizontalAlignment = 24,
  kWordWrap = 25,
  kVerticalAlignment = 26,
};

bool IsInk(COLORREF pixel) {
  return pixel != GetSysColor(COLOR_BTNFACE);
}

class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // As the main window stores its count label.
    label_ = bench_.Create(
        kLabelKindDescriptor,
        WritePropertyBlock(LabelProperties{.textColour = kTextColour, .caption = "MOV 399"}),
        kUnitId, {10, 10, 125, 18});
    ASSERT_NE(label_, nullptr);
    ShowWindow(label_->Handle(), SW_SHOWNA);
  }
  void Set(int32_t property, int64_t number) {
    EXPECT_FALSE(SetNumber(label_.get(), kLabelKindDescriptor, property, number));
  }
  int64_t Get(int32_t property) { return GetNumber(label_.get(), kLabelKindDescriptor, property); }
  RECT Ink(const Pixels& pixels) { return pixels.BoundsOf(pixels.All(), IsInk); }
  Pixels Render() { return PrintClient(label_->Handle()); }

  UnitBench bench_{ShownParent{RGB(0, 128, 0), 300, 120}};
  std::unique_ptr<UnitObject> label_;
};

TEST_F(LabelTest, CaptionInTextColourOnButtonFaceWhereAligned) {
  Pixels pixels = Render();
  EXPECT_EQ(pixels.Count(pixels.All(), kUnpainted), 0) << "the whole client area is painted";
  EXPECT_EQ(pixels.At(0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_GT(pixels.Count(pixels.All(), kTextColour), 0);
  RECT ink = Ink(pixels);
  EXPECT_LE(ink.left, 2);
  EXPECT_LT(ink.right, pixels.Width() - 20);
  EXPECT_NEAR(ink.top + ink.bottom, pixels.Height(), 4) << "vertically centred";

  Set(kHorizontalAlignment, 1);
  ink = Ink(Render());
  EXPECT_NEAR(ink.left + ink.right, pixels.Width(), 4);

  Set(kHorizontalAlignment, 2);
  Set(kVerticalAlignment, 2);
  ink = Ink(Render());
  EXPECT_GE(ink.right, pixels.Width() - 2);
  EXPECT_GE(ink.bottom, pixels.Height() - 3);
}

TEST_F(LabelTest, EffectsDrawTheirOffsetCopies) {
  Set(kTextColourProperty, RGB(255, 0, 0));
  Pixels pixels = Render();
  EXPECT_EQ(pixels.Count(pixels.All(), RGB(0, 0, 0)), 0);
  EXPECT_EQ(pixels.Count(pixels.All(), RGB(255, 255, 255)), 0);

  Set(kEffect, 3);  // shadow: black, two pixels right and down
  pixels = Render();
  const RECT red = pixels.BoundsOf(pixels.All(), [](COLORREF c) { return c == RGB(255, 0, 0); });
  const RECT black = pixels.BoundsOf(pixels.All(), [](COLORREF c) { return c == RGB(0, 0, 0); });
  EXPECT_EQ(black.right, red.right + 2);
  EXPECT_EQ(black.bottom, red.bottom + 2);

  for (int64_t effect : {1, 2}) {  // sunken and raised: a white copy
    Set(kEffect, effect);
    pixels = Render();
    EXPECT_GT(pixels.Count(pixels.All(), RGB(255, 255, 255)), 0) << "effect " << effect;
  }
}

// An empty caption paints only the background; the button face is looked
// up at every paint.
TEST_F(LabelTest, BackgroundOnlyWithoutCaption) {
  EXPECT_FALSE(SetText(label_.get(), kLabelKindDescriptor, kCaption, ""));
  const int element = COLOR_BTNFACE;
  const COLORREF original = GetSysColor(COLOR_BTNFACE);
  const COLORREF changed = RGB(10, 200, 30);
  ASSERT_TRUE(SetSysColors(1, &element, &changed));
  Pixels pixels = Render();
  SetSysColors(1, &element, &original);
  EXPECT_EQ(pixels.Count(pixels.All(), changed), pixels.Width() * pixels.Height());

  Set(kBackgroundColour, RGB(255, 255, 0));
  pixels = Render();
  EXPECT_EQ(pixels.Count(pixels.All(), RGB(255, 255, 0)), pixels.Width() * pixels.Height());
}

TEST_F(LabelTest, BackgroundPictureInItsDisplayModes) {
  constexpr COLORREF kYellow = RGB(255, 255, 0);
  EXPECT_FALSE(SetText(label_.get(), kLabelKindDescriptor, kCaption, ""));
  Set(kBackgroundColour, kYellow);
  const Bytes png = test_pictures::MakePng(4, 4, [](int, int) { return test_pictures::kBlue; });
  Set(kPictureMode, 0);  // once at the top left, on the background
  EXPECT_FALSE(SetBytes(label_.get(), kLabelKindDescriptor, kPicture, png));
  Pixels pixels = Render();
  EXPECT_EQ(pixels.Count(RECT{0, 0, 4, 4}, RGB(0, 0, 255)), 16);
  EXPECT_EQ(pixels.Count(pixels.All(), kYellow), pixels.Width() * pixels.Height() - 16);
  EXPECT_EQ(GetBytes(label_.get(), kLabelKindDescriptor, kPicture), png);

  Set(kPictureMode, 1);  // tiled
  pixels = Render();
  EXPECT_EQ(pixels.Count(pixels.All(), RGB(0, 0, 255)), pixels.Width() * pixels.Height());

  EXPECT_FALSE(SetBytes(label_.get(), kLabelKindDescriptor, kPicture,
                        Bytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'}));
  EXPECT_TRUE(GetBytes(label_.get(), kLabelKindDescriptor, kPicture).empty())
      << "bytes that do not decode are dropped";
  pixels = Render();
  EXPECT_EQ(pixels.Count(pixels.All(), kYellow), pixels.Width() * pixels.Height());
}

TEST_F(LabelTest, WrittenAndStoredValuesAreClamped) {
  struct Case {
    int32_t property;
    int64_t written;
    int64_t stored;
  };
  for (const Case& c :
       {Case{kEffect, 7, 3}, Case{kEffect, -1, 0}, Case{kBorderStyle, 9, 6},
        Case{kFrameWidth, 2, 5}, Case{kFrameWidth, 12, 12}, Case{kPictureMode, 5, 2},
        Case{kGradientMode, 12, 8}, Case{kHorizontalAlignment, -5, 0},
        Case{kVerticalAlignment, 4, 2}, Case{kWordWrap, 5, 1}}) {
    Set(c.property, c.written);
    EXPECT_EQ(Get(c.property), c.stored) << c.property << " <- " << c.written;
  }

  auto stored = bench_.Create(kLabelKindDescriptor,
                              WritePropertyBlock(LabelProperties{.version = 1,
                                                                 .effect = 9,
                                                                 .frameWidth = 1,
                                                                 .borderStyle = 0xFFFFFFFF,
                                                                 .gradientMode = 30,
                                                                 .verticalAlignment = 0xFFFFFFFE}),
                              kUnitId + 1, {0, 0, 50, 20});
  ASSERT_NE(stored, nullptr);
  LabelProperties saved;
  ASSERT_TRUE(ReadPropertyBlock(
      KindOperation<SaveUnitOperation>(kLabelKindDescriptor, unit_operation::kSave)(stored.get()),
      &saved));
  EXPECT_EQ(saved, (LabelProperties{.effect = 3,
                                    .frameWidth = 5,
                                    .borderStyle = 0,
                                    .gradientMode = 8,
                                    .verticalAlignment = 0}))
      << "saved as version 2 with the clamped values";

  Bytes tooNew = WritePropertyBlock(LabelProperties{});
  tooNew[0] = 3;
  EXPECT_EQ(bench_.Create(kLabelKindDescriptor, tooNew, 1, {0, 0, 9, 9}), nullptr);
}

WNDPROC g_labelProc = nullptr;
int g_eraseMessages = 0;

LRESULT CALLBACK CountErasing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_eraseMessages += message == WM_ERASEBKGND ? 1 : 0;
  return CallWindowProcA(g_labelProc, window, message, wParam, lParam);
}

TEST_F(LabelTest, CaptionIsTheWindowTextAndRepaintsWithoutErasing) {
  UpdateWindow(label_->Handle());
  g_labelProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(label_->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountErasing)));
  g_eraseMessages = 0;
  Set(kTextColourProperty, RGB(255, 0, 0));
  EXPECT_FALSE(SetText(label_.get(), kLabelKindDescriptor, kCaption, "共有：399条汇编指令！"));
  char text[64] = {};
  GetWindowTextA(label_->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "共有：399条汇编指令！");
  const Pixels screen = ScreenPixels(label_->Handle());
  EXPECT_EQ(g_eraseMessages, 0);
  EXPECT_GT(screen.Count(screen.All(), RGB(255, 0, 0)), 0) << "repainted at once";
  SetWindowLongPtrA(label_->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_labelProc));

  SetWindowTextA(label_->Handle(), "set from outside");
  EXPECT_EQ(GetText(label_.get(), kLabelKindDescriptor, kCaption), "set from outside");
}

TEST_F(LabelTest, PrivateMessageRaisesEventZeroWithTheHandlersResult) {
  bench_.ReplyToNextEvent(42);
  EXPECT_EQ(SendMessageA(label_->Handle(), kLabelEventMessage, 7, 9), 42);
  const std::vector<RaisedEvent> events = bench_.Events();
  ASSERT_EQ(events.size(), 1u);
  const RaisedEvent& event = events[0];
  EXPECT_EQ(event.windowId, kWindowId);
  EXPECT_EQ(event.unitId, kUnitId);
  EXPECT_EQ(event.event, 0);
  ASSERT_EQ(event.arguments.size(), 2u);
  EXPECT_EQ(event.arguments[0], 7);
  EXPECT_EQ(event.arguments[1], 9);
  EXPECT_EQ(SendMessageA(label_->Handle(), kLabelEventMessage, 1, 2), 0) << "no value: 0";
}

TEST_F(LabelTest, DestructionIsReportedOnlyWhenTheNativeWindowGoesFirst) {
  DestroyWindow(label_->Handle());
  EXPECT_EQ(bench_.Destroyed(), (std::vector<DestructionReport>{{kWindowId, kUnitId}}));
  label_.reset();

  auto other = bench_.Create(kLabelKindDescriptor, Bytes(), 5, {0, 0, 9, 9}, kUnitStyleDisabled);
  HWND handle = other->Handle();
  EXPECT_FALSE(IsWindowVisible(handle)) << "the loader shows units";
  EXPECT_FALSE(IsWindowEnabled(handle));
  other.reset();
  EXPECT_FALSE(IsWindow(handle)) << "the object takes its window with it";
  EXPECT_EQ(bench_.Destroyed().size(), 1u);
}

}  // namespace
}  // namespace mnemora
