// The transparent label kind as a real window: what the screen shows of it
// over a coloured parent and over a group box, after a move, a change and
// with an empty caption; its defaults, clamping, font fallback and texts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

#include "tests/unit_bench.h"
#include "tests/window_pixels.h"
#include "window/unit_object.h"
#include "window/units/group_box.h"
#include "window/units/group_box_block.h"
#include "window/units/transparent_label.h"
#include "window/units/transparent_label_block.h"

namespace mnemora {
namespace {

using namespace bench;

constexpr uint32_t kUnitId = 0x160101C2;
constexpr COLORREF kParentColour = RGB(0, 128, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

// Property numbers the application uses.
enum : int32_t {
  kCaption = 8,
  kEffect = 9,
  kFont = 10,
  kHorizontalAlignment = 12,
  kMultiLine = 13,
  kVerticalAlignment = 14,
};

Bytes FontRecord(LONG height) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = 400;
  font.lfCharSet = 134;
  Bytes bytes(sizeof font);
  std::memcpy(bytes.data(), &font, sizeof font);
  return bytes;
}

// As the main window stores its red, centred captions.
Bytes RedCaptionBlock(const std::string& caption) {
  return WritePropertyBlock(TransparentLabelProperties{.textColour = kRed,
                                                       .horizontalAlignment = 1,
                                                       .verticalAlignment = 1,
                                                       .font = FontRecord(-14),
                                                       .caption = caption});
}

int Area(const RECT& r) {
  return (r.right - r.left) * (r.bottom - r.top);
}

class TransparentLabelTest : public ::testing::Test {
 protected:
  std::unique_ptr<UnitObject> Create(const Bytes& block, const UnitPlace& place) {
    auto label = bench_.Create(kTransparentLabelKindDescriptor, block, kUnitId, place);
    if (label != nullptr) {
      ShowWindow(label->Handle(), SW_SHOWNA);
    }
    return label;
  }
  void Set(UnitObject* label, int32_t property, int64_t number) {
    EXPECT_FALSE(SetNumber(label, kTransparentLabelKindDescriptor, property, number));
  }
  int64_t Get(UnitObject* label, int32_t property) {
    return GetNumber(label, kTransparentLabelKindDescriptor, property);
  }

  UnitBench bench_{ShownParent{kParentColour, 300, 120}};
};

TEST_F(TransparentLabelTest, ChangesRepaintWhatLiesBeneathAndLeaveNoTrace) {
  auto label = Create(RedCaptionBlock("Del"), {40, 30, 60, 20});
  ASSERT_NE(label, nullptr);
  const RECT place = RectInParent(label->Handle());
  Pixels screen = ScreenPixels(bench_.Parent());
  RECT caption = screen.BoundsOf(place, [](COLORREF c) { return c == kRed; });
  ASSERT_LT(caption.left, caption.right) << "the caption is on the screen";
  EXPECT_NEAR(caption.left + caption.right, place.left + place.right, 4) << "centred";
  EXPECT_NEAR(caption.top + caption.bottom, place.top + place.bottom, 4);
  EXPECT_EQ(screen.At(place.left, place.top), kParentColour) << "no background of its own";
  EXPECT_EQ(screen.Count(screen.All(), kRed), screen.Count(place, kRed));
  RECT onScreen;
  GetWindowRect(label->Handle(), &onScreen);
  EXPECT_EQ(WindowFromPoint(POINT{(onScreen.left + onScreen.right) / 2, onScreen.top + 2}),
            label->Handle())
      << "clicks on it reach it, not what lies beneath";

  // A shorter caption at the left: the old one is painted over.
  Set(label.get(), kHorizontalAlignment, 0);
  EXPECT_FALSE(SetText(label.get(), kTransparentLabelKindDescriptor, kCaption, "D"));
  screen = ScreenPixels(bench_.Parent());
  caption = screen.BoundsOf(place, [](COLORREF c) { return c == kRed; });
  EXPECT_LE(caption.right, place.left + Area(place) / (place.bottom - place.top) / 3);

  // An empty caption paints nothing; what is beneath shows.
  EXPECT_FALSE(SetText(label.get(), kTransparentLabelKindDescriptor, kCaption, ""));
  screen = ScreenPixels(bench_.Parent());
  EXPECT_EQ(screen.Count(screen.All(), kRed), 0);
  EXPECT_EQ(screen.Count(place, kParentColour), Area(place));
}

TEST_F(TransparentLabelTest, ShowsTheGroupBoxBeneathItAndMovesWithoutTrace) {
  constexpr COLORREF kBoxColour = RGB(200, 230, 250);
  constexpr COLORREF kBoxCaption = RGB(0, 0, 255);
  auto box = bench_.Create(
      kGroupBoxKindDescriptor,
      WritePropertyBlock(GroupBoxProperties{
          .textColour = kBoxCaption, .backgroundColour = kBoxColour, .caption = "WWWWWWWWWWWW"}),
      0x1601016B, {8, 8, 280, 100});
  ASSERT_NE(box, nullptr);
  ShowWindow(box->Handle(), SW_SHOWNA);
  auto label = Create(RedCaptionBlock("Fmt"), {30, 50, 60, 20, box->Handle()});
  ASSERT_NE(label, nullptr);

  const Pixels screen = ScreenPixels(box->Handle());
  const RECT place = RectInParent(label->Handle());
  EXPECT_GT(screen.Count(place, kRed), 0);
  EXPECT_EQ(screen.At(place.left, place.top), kBoxColour);
  const RECT boxCaption = {0, 0, 120, 20};
  const int boxCaptionInk = screen.Count(boxCaption, kBoxCaption);
  ASSERT_GT(boxCaptionInk, 0);

  // Over the box's caption: the old place shows the plain box, the new one
  // the box's caption beneath the label's.
  MoveWindow(label->Handle(), 0, 0, 120, 20, TRUE);
  const Pixels moved = ScreenPixels(box->Handle());
  EXPECT_EQ(moved.Count(place, kBoxColour), Area(place)) << "old place";
  EXPECT_GT(moved.Count(boxCaption, kRed), 0) << "new place";
  EXPECT_GT(moved.Count(boxCaption, kBoxCaption), boxCaptionInk / 2);
}

TEST_F(TransparentLabelTest, DefaultsClampingAndVersion) {
  auto label = bench_.Create(kTransparentLabelKindDescriptor, Bytes(), kUnitId, {0, 0, 80, 20});
  ASSERT_NE(label, nullptr);
  EXPECT_FALSE(IsWindowVisible(label->Handle())) << "the loader shows units";
  EXPECT_NE(GetWindowLongPtrA(label->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
  char text[32] = {};
  GetWindowTextA(label->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "透明标签");
  EXPECT_EQ(Get(label.get(), kVerticalAlignment), 1);

  struct Case {
    int32_t property;
    int64_t written;
    int64_t stored;
  };
  for (const Case& c :
       {Case{kEffect, 7, 3}, Case{kEffect, -2, 0}, Case{kHorizontalAlignment, -1, 0},
        Case{kVerticalAlignment, 5, 2}, Case{kMultiLine, 4, 1}}) {
    Set(label.get(), c.property, c.written);
    EXPECT_EQ(Get(label.get(), c.property), c.stored) << c.property << " <- " << c.written;
  }

  auto stored = Create(WritePropertyBlock(TransparentLabelProperties{
                           .version = 0, .effect = 12, .horizontalAlignment = 0xFFFFFFFF}),
                       {0, 0, 80, 20});
  ASSERT_NE(stored, nullptr);
  TransparentLabelProperties saved;
  ASSERT_TRUE(
      ReadPropertyBlock(KindOperation<SaveUnitOperation>(kTransparentLabelKindDescriptor,
                                                         unit_operation::kSave)(stored.get()),
                        &saved));
  EXPECT_EQ(saved, (TransparentLabelProperties{.effect = 3, .horizontalAlignment = 0}));

  Bytes tooNew = RedCaptionBlock("x");
  tooNew[0] = 2;
  EXPECT_EQ(bench_.Create(kTransparentLabelKindDescriptor, tooNew, kUnitId, {0, 0, 9, 9}), nullptr);
}

TEST_F(TransparentLabelTest, FontFieldOfAnotherLengthFallsBackToTheDefaultFont) {
  Bytes shortFont = FontRecord(-30);
  shortFont.pop_back();
  const auto inkHeight = [&](const Bytes& font) {
    auto label =
        bench_.Create(kTransparentLabelKindDescriptor,
                      WritePropertyBlock(TransparentLabelProperties{.font = font, .caption = "Wg"}),
                      kUnitId, {0, 0, 80, 40});
    const Pixels pixels = PrintClient(label->Handle(), RGB(255, 255, 255));
    const RECT ink =
        pixels.BoundsOf(pixels.All(), [](COLORREF c) { return c != RGB(255, 255, 255); });
    return ink.bottom - ink.top;
  };
  const int defaultHeight = inkHeight(Bytes());
  ASSERT_GT(defaultHeight, 0);
  EXPECT_EQ(inkHeight(shortFont), defaultHeight);
  EXPECT_GT(inkHeight(FontRecord(-30)), defaultHeight + 5) << "a whole record is used";
}

TEST_F(TransparentLabelTest, ConvertTextsOffersCaptionAndFaceName) {
  Bytes font = FontRecord(-14);
  std::memcpy(font.data() + offsetof(LOGFONTA, lfFaceName), "宋体", 5);
  const Bytes converted = KindOperation<ConvertTextsOperation>(kTransparentLabelKindDescriptor,
                                                               unit_operation::kConvertTexts)(
      WritePropertyBlock(TransparentLabelProperties{.font = font, .caption = "格式"}),
      [](const std::string& text) { return text == "宋体" ? std::string("Tahoma") : text + "!"; });
  TransparentLabelProperties read;
  ASSERT_TRUE(ReadPropertyBlock(converted, &read));
  EXPECT_EQ(read.caption, "格式!");
  LOGFONTA face;
  ASSERT_EQ(read.font.size(), sizeof face);
  std::memcpy(&face, read.font.data(), sizeof face);
  EXPECT_STREQ(face.lfFaceName, "Tahoma");
  EXPECT_EQ(face.lfHeight, -14);
}

}  // namespace
}  // namespace mnemora
