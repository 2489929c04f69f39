// The label kind as a real window: painting checked by pixels, clamping of
// stored and written values, its caption as window text, its event on the
// private message and its destruction report.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "caption_units_support.h"
#include "window/unit_object.h"
#include "window/units/label.h"
#include "window/units/label_block.h"

namespace mnemora {
namespace {

using testing::CaptureClient;
using testing::ColouredParent;
using testing::CreateUnit;
using testing::GetUnitProperty;
using testing::KindOperation;
using testing::Pixels;
using testing::PrintClient;
using testing::RecordingWindowSystem;
using testing::SetUnitBytes;
using testing::SetUnitNumber;
using testing::SetUnitText;
using testing::TextOfValue;

constexpr uint32_t kUnitId = 0x1601016C;
constexpr COLORREF kTextColour = 0x00C06000;
constexpr COLORREF kParentColour = RGB(0, 128, 0);
// Fills the bitmap before a label paints into it: any pixel left in this
// colour was not painted.
constexpr COLORREF kUnpainted = RGB(1, 2, 3);

// Property numbers the application uses.
enum : int32_t {
  kCaption = 8,
  kEffect = 9,
  kBorderStyle = 10,
  kFrameWidth = 11,
  kFrameColour1 = 12,
  kFrameColour2 = 13,
  kFrameColour3 = 14,
  kFont = 15,
  kTextColourProperty = 16,
  kBackgroundColour = 17,
  kPictureMode = 19,
  kGradientMode = 20,
  kGradientColour1 = 21,
  kGradientColour2 = 22,
  kGradientColour3 = 23,
  kHorizontalAlignment = 24,
  kWordWrap = 25,
  kVerticalAlignment = 26,
  kDataSource = 27,
};

// A label as the main window stores its count label, with a caption.
Bytes CountLabelBlock(const std::string& caption) {
  return WriteLabelBlock(LabelProperties{.textColour = kTextColour, .caption = caption});
}

class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    label_ = CreateUnit(kLabelKindDescriptor, CountLabelBlock("MOV 399 ADD"), parent_.Handle(),
                        RECT{10, 10, 135, 28}, kUnitId);
    ASSERT_NE(label_, nullptr);
    ShowWindow(label_->Handle(), SW_SHOWNA);
  }

  UnitValue Get(int32_t property) {
    return GetUnitProperty(kLabelKindDescriptor, label_.get(), property);
  }
  int64_t Number(int32_t property) { return Get(property).number; }
  void SetNumber(int32_t property, int64_t number) {
    EXPECT_FALSE(SetUnitNumber(kLabelKindDescriptor, label_.get(), property, number))
        << "a label never needs re-creation";
  }
  Pixels Render() { return PrintClient(label_->Handle(), kUnpainted); }

  RecordingWindowSystem windowSystem_;
  ColouredParent parent_{kParentColour, 300, 120};
  std::unique_ptr<UnitObject> label_;
};

bool IsInk(COLORREF pixel) {
  return pixel != GetSysColor(COLOR_BTNFACE);
}

TEST_F(LabelTest, CaptionIsLeftAlignedVerticallyCentredInTextColourOnButtonFace) {
  const Pixels pixels = Render();
  EXPECT_EQ(pixels.Count(pixels.All(), kUnpainted), 0) << "the whole client area is painted";
  EXPECT_EQ(pixels.At(0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(pixels.At(pixels.Width() - 1, pixels.Height() - 1), GetSysColor(COLOR_BTNFACE));

  const RECT ink = pixels.BoundsOf(pixels.All(), IsInk);
  ASSERT_LT(ink.left, ink.right) << "the caption is drawn";
  EXPECT_LE(ink.left, 2);
  EXPECT_LT(ink.right, pixels.Width() - 20) << "a short caption stays at the left";
  const int middle = (ink.top + ink.bottom) / 2;
  EXPECT_NEAR(middle, pixels.Height() / 2, 2);
  EXPECT_GT(pixels.Count(pixels.All(), kTextColour), 0) << "drawn in the text colour";
}

TEST_F(LabelTest, AlignmentsMoveTheCaption) {
  SetNumber(kHorizontalAlignment, 1);
  Pixels pixels = Render();
  RECT ink = pixels.BoundsOf(pixels.All(), IsInk);
  EXPECT_NEAR((ink.left + ink.right) / 2, pixels.Width() / 2, 2);

  SetNumber(kHorizontalAlignment, 2);
  SetNumber(kVerticalAlignment, 2);
  pixels = Render();
  ink = pixels.BoundsOf(pixels.All(), IsInk);
  EXPECT_GE(ink.right, pixels.Width() - 2);
  EXPECT_GE(ink.bottom, pixels.Height() - 3);

  SetNumber(kVerticalAlignment, 0);
  pixels = Render();
  ink = pixels.BoundsOf(pixels.All(), IsInk);
  EXPECT_LE(ink.top, 3);
}

TEST_F(LabelTest, WordWrapBreaksALongCaptionIntoLines) {
  MoveWindow(label_->Handle(), 10, 10, 60, 60, FALSE);
  SetUnitText(kLabelKindDescriptor, label_.get(), kCaption, "word wrap breaks lines");
  const int singleLine = [&] {
    const Pixels pixels = Render();
    const RECT ink = pixels.BoundsOf(pixels.All(), IsInk);
    return ink.bottom - ink.top;
  }();
  SetNumber(kWordWrap, 1);
  const Pixels pixels = Render();
  const RECT ink = pixels.BoundsOf(pixels.All(), IsInk);
  EXPECT_GT(ink.bottom - ink.top, 2 * singleLine);
  EXPECT_LE(ink.right, pixels.Width());
}

TEST_F(LabelTest, EffectsDrawTheirOffsetCopies) {
  SetNumber(kTextColourProperty, RGB(255, 0, 0));
  const Pixels plain = Render();
  EXPECT_EQ(plain.Count(plain.All(), RGB(0, 0, 0)), 0);
  EXPECT_EQ(plain.Count(plain.All(), RGB(255, 255, 255)), 0);

  SetNumber(kEffect, 3);  // shadow: black, two pixels right and down
  const Pixels shadow = Render();
  EXPECT_GT(shadow.Count(shadow.All(), RGB(0, 0, 0)), 0);
  const RECT red = shadow.BoundsOf(shadow.All(), [](COLORREF c) { return c == RGB(255, 0, 0); });
  const RECT black = shadow.BoundsOf(shadow.All(), [](COLORREF c) { return c == RGB(0, 0, 0); });
  EXPECT_EQ(black.right, red.right + 2);
  EXPECT_EQ(black.bottom, red.bottom + 2);

  for (int64_t effect : {1, 2}) {  // sunken and raised: a white copy
    SetNumber(kEffect, effect);
    const Pixels pixels = Render();
    EXPECT_GT(pixels.Count(pixels.All(), RGB(255, 255, 255)), 0) << "effect " << effect;
    EXPECT_EQ(pixels.Count(pixels.All(), RGB(0, 0, 0)), 0) << "effect " << effect;
  }
}

TEST_F(LabelTest, BackgroundColourAndEmptyCaption) {
  SetNumber(kBackgroundColour, RGB(255, 255, 0));
  SetUnitText(kLabelKindDescriptor, label_.get(), kCaption, "");
  const Pixels pixels = Render();
  EXPECT_EQ(pixels.Count(pixels.All(), RGB(255, 255, 0)), pixels.Width() * pixels.Height())
      << "only the background";
}

// The button-face colour is looked up at every paint, not once.
TEST_F(LabelTest, ButtonFaceFollowsTheSystemColour) {
  const int element = COLOR_BTNFACE;
  const COLORREF original = GetSysColor(COLOR_BTNFACE);
  const COLORREF changed = RGB(10, 200, 30);
  ASSERT_TRUE(SetSysColors(1, &element, &changed));
  const Pixels pixels = Render();
  SetSysColors(1, &element, &original);
  EXPECT_EQ(pixels.At(0, 0), changed);
}

TEST_F(LabelTest, GradientFrameAndGradientBackground) {
  SetUnitText(kLabelKindDescriptor, label_.get(), kCaption, "");
  SetNumber(kBorderStyle, 6);
  SetNumber(kFrameWidth, 5);
  SetNumber(kFrameColour1, RGB(255, 0, 0));
  SetNumber(kFrameColour2, RGB(0, 0, 255));
  SetNumber(kFrameColour3, RGB(0, 0, 255));
  SetNumber(kBackgroundColour, RGB(255, 255, 0));
  Pixels pixels = Render();
  EXPECT_EQ(pixels.At(0, pixels.Height() / 2), RGB(255, 0, 0)) << "outer ring: first colour";
  EXPECT_EQ(pixels.At(4, pixels.Height() / 2), RGB(0, 0, 255)) << "inner ring: last colour";
  EXPECT_EQ(pixels.At(5, pixels.Height() / 2), RGB(255, 255, 0)) << "inside: background";
  EXPECT_EQ(GetWindowLongPtrA(label_->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0)
      << "the gradient frame is painted, not a native border";

  // Only one usable frame colour: no frame drawn, the area still shrinks.
  SetNumber(kFrameColour2, 0xFF000000);
  SetNumber(kFrameColour3, 0xFF000000);
  pixels = Render();
  EXPECT_EQ(pixels.At(0, pixels.Height() / 2), RGB(255, 255, 0));

  SetNumber(kBorderStyle, 0);
  SetNumber(kGradientMode, 1);  // left to right, through the three colours
  SetNumber(kGradientColour1, RGB(0, 0, 0));
  SetNumber(kGradientColour2, RGB(255, 255, 255));
  SetNumber(kGradientColour3, RGB(0, 0, 255));
  pixels = Render();
  const int y = pixels.Height() / 2;
  const int last = pixels.Width() - 1;
  EXPECT_EQ(pixels.At(0, y), RGB(0, 0, 0));
  EXPECT_EQ(pixels.At(last / 2, y), RGB(255, 255, 255));
  EXPECT_EQ(pixels.At(last, y), RGB(0, 0, 255));

  // A button-face entry is left out: black to white, grey half way.
  SetNumber(kGradientColour3, 0xFF000000);
  pixels = Render();
  const COLORREF middle = pixels.At(last / 2, y);
  EXPECT_EQ(GetRValue(middle), GetBValue(middle));
  EXPECT_NEAR(GetRValue(middle), 128, 2);
  EXPECT_EQ(pixels.At(last, y), RGB(255, 255, 255));
}

TEST_F(LabelTest, WrittenValuesAreClamped) {
  struct Case {
    int32_t property;
    int64_t written;
    int64_t stored;
  };
  const Case cases[] = {
      {kEffect, 7, 3},
      {kEffect, -1, 0},
      {kBorderStyle, 9, 6},
      {kBorderStyle, -3, 0},
      {kFrameWidth, 2, 5},
      {kFrameWidth, -40, 5},
      {kFrameWidth, 12, 12},
      {kPictureMode, 5, 2},
      {kGradientMode, 12, 8},
      {kGradientMode, -2, 0},
      {kHorizontalAlignment, 3, 2},
      {kHorizontalAlignment, -5, 0},
      {kVerticalAlignment, 4, 2},
      {kWordWrap, 5, 1},
  };
  for (const Case& c : cases) {
    SetNumber(c.property, c.written);
    EXPECT_EQ(Number(c.property), c.stored) << "property " << c.property << " <- " << c.written;
  }
  SetNumber(kBorderStyle, 1);
  EXPECT_NE(GetWindowLongPtrA(label_->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0)
      << "border styles up to 5 are native frames";
}

TEST_F(LabelTest, StoredOutOfRangeValuesAreClampedAndSavedAsVersion2) {
  LabelProperties stored{.version = 1,
                         .effect = 9,
                         .frameWidth = 1,
                         .borderStyle = 0xFFFFFFFF,
                         .pictureMode = 7,
                         .gradientMode = 30,
                         .horizontalAlignment = 5,
                         .verticalAlignment = 0xFFFFFFFE};
  auto label = CreateUnit(kLabelKindDescriptor, WriteLabelBlock(stored), parent_.Handle(),
                          RECT{0, 0, 50, 20}, kUnitId + 1);
  ASSERT_NE(label, nullptr);
  const Bytes saved =
      KindOperation<SaveUnitOperation>(kLabelKindDescriptor, unit_operation::kSave)(label.get());
  LabelProperties read;
  ASSERT_TRUE(ReadLabelBlock(saved, &read));
  EXPECT_EQ(read.version, 2u);
  EXPECT_EQ(read.effect, 3u);
  EXPECT_EQ(read.frameWidth, 5u);
  EXPECT_EQ(read.borderStyle, 0u);
  EXPECT_EQ(read.pictureMode, 2u);
  EXPECT_EQ(read.gradientMode, 8u);
  EXPECT_EQ(read.horizontalAlignment, 2u);
  EXPECT_EQ(read.verticalAlignment, 0u);
  EXPECT_EQ(read.caption, "标签");
}

TEST_F(LabelTest, CreationHonoursTheBlockVersionAndStyles) {
  Bytes tooNew = CountLabelBlock("x");
  tooNew[0] = 3;
  EXPECT_EQ(CreateUnit(kLabelKindDescriptor, tooNew, parent_.Handle(), RECT{0, 0, 10, 10}, 1),
            nullptr);

  auto label = CreateUnit(kLabelKindDescriptor, Bytes(), parent_.Handle(), RECT{3, 4, 50, 24},
                          kUnitId + 1, kUnitStyleDisabled);
  ASSERT_NE(label, nullptr);
  char className[32] = {};
  GetClassNameA(label->Handle(), className, sizeof className);
  EXPECT_STREQ(className, "_QN_Label");
  EXPECT_FALSE(IsWindowVisible(label->Handle())) << "the loader shows units";
  EXPECT_FALSE(IsWindowEnabled(label->Handle()));
  EXPECT_EQ(GetDlgCtrlID(label->Handle()), static_cast<int>((kUnitId + 1) & 0xFFFF));
  EXPECT_EQ(TextOfValue(GetUnitProperty(kLabelKindDescriptor, label.get(), kCaption)), "标签");
  EXPECT_EQ(GetUnitProperty(kLabelKindDescriptor, label.get(), kPictureMode).number, 1);
}

TEST_F(LabelTest, CaptionIsTheWindowTextBothWays) {
  SetUnitText(kLabelKindDescriptor, label_.get(), kCaption, "共有：399条汇编指令！");
  char text[64] = {};
  GetWindowTextA(label_->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "共有：399条汇编指令！");

  SetWindowTextA(label_->Handle(), "set from outside");
  EXPECT_EQ(TextOfValue(Get(kCaption)), "set from outside");
  const Bytes saved =
      KindOperation<SaveUnitOperation>(kLabelKindDescriptor, unit_operation::kSave)(label_.get());
  LabelProperties read;
  ASSERT_TRUE(ReadLabelBlock(saved, &read));
  EXPECT_EQ(read.caption, "set from outside");
  EXPECT_EQ(read.textColour, kTextColour);
}

WNDPROC g_labelProc = nullptr;
int g_eraseMessages = 0;

LRESULT CALLBACK CountErasing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    ++g_eraseMessages;
  }
  return CallWindowProcA(g_labelProc, window, message, wParam, lParam);
}

TEST_F(LabelTest, PropertyChangesRepaintWithoutErasing) {
  UpdateWindow(label_->Handle());
  g_labelProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(label_->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountErasing)));
  g_eraseMessages = 0;
  SetNumber(kTextColourProperty, RGB(255, 0, 0));
  SetUnitText(kLabelKindDescriptor, label_.get(), kCaption, "new caption");
  RECT update;
  EXPECT_TRUE(GetUpdateRect(label_->Handle(), &update, FALSE)) << "a repaint is pending";
  const Pixels screen = CaptureClient(label_->Handle());
  EXPECT_EQ(g_eraseMessages, 0);
  EXPECT_GT(screen.Count(screen.All(), RGB(255, 0, 0)), 0) << "the new colour is on the screen";
  SetWindowLongPtrA(label_->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_labelProc));
}

TEST_F(LabelTest, PrivateMessageRaisesEventZeroAndReturnsTheHandlersValue) {
  windowSystem_.ReplyToNextEvent(42);
  EXPECT_EQ(SendMessageA(label_->Handle(), kLabelEventMessage, 7, 9), 42);
  ASSERT_EQ(windowSystem_.events.size(), 1u);
  const EventRecord& event = windowSystem_.events[0];
  EXPECT_EQ(event.windowId, testing::kTestWindowId);
  EXPECT_EQ(event.unitId, kUnitId);
  EXPECT_EQ(event.event, 0);
  ASSERT_EQ(event.argumentCount, 2);
  EXPECT_EQ(event.arguments[0], 7);
  EXPECT_EQ(event.arguments[1], 9);

  EXPECT_EQ(SendMessageA(label_->Handle(), kLabelEventMessage, 1, 2), 0)
      << "no handler value: the result is 0";
}

TEST_F(LabelTest, DestroyedNativeWindowIsReportedOnce) {
  DestroyWindow(label_->Handle());
  ASSERT_EQ(windowSystem_.destroyed.size(), 1u);
  EXPECT_EQ(windowSystem_.destroyed[0].windowId, testing::kTestWindowId);
  EXPECT_EQ(windowSystem_.destroyed[0].unitId, kUnitId);
  label_.reset();
  EXPECT_EQ(windowSystem_.destroyed.size(), 1u);

  // An object deleted first takes its window with it, without a report.
  auto other = CreateUnit(kLabelKindDescriptor, Bytes(), parent_.Handle(), RECT{0, 0, 9, 9}, 5);
  HWND handle = other->Handle();
  other.reset();
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(windowSystem_.destroyed.size(), 1u);
}

TEST_F(LabelTest, ConvertTextsOffersCaptionAndBindingNames) {
  const Bytes block =
      WriteLabelBlock(LabelProperties{.caption = "a", .dataSource = "b", .dataColumn = "c"});
  const auto convert =
      KindOperation<ConvertTextsOperation>(kLabelKindDescriptor, unit_operation::kConvertTexts);
  const Bytes converted = convert(block, [](const std::string& text) { return text + "!"; });
  LabelProperties read;
  ASSERT_TRUE(ReadLabelBlock(converted, &read));
  EXPECT_EQ(read.caption, "a!");
  EXPECT_EQ(read.dataSource, "b!");
  EXPECT_EQ(read.dataColumn, "c!");
  EXPECT_EQ(GetUnitProperty(kLabelKindDescriptor, label_.get(), kDataSource).bytes, Bytes());
}

}  // namespace
}  // namespace mnemora
