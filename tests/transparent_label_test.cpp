// The transparent label kind as a real window: what the screen shows of it
// over a coloured parent and over a group box, after a move and with an
// empty caption; its defaults, clamping, font fallback and texts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

#include "caption_units_support.h"
#include "window/unit_object.h"
#include "window/units/group_box.h"
#include "window/units/group_box_block.h"
#include "window/units/transparent_label.h"
#include "window/units/transparent_label_block.h"

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

constexpr uint32_t kUnitId = 0x160101C2;
constexpr COLORREF kParentColour = RGB(0, 128, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

// Property numbers the application uses.
enum : int32_t {
  kCaption = 8,
  kEffect = 9,
  kFont = 10,
  kTextColour = 11,
  kHorizontalAlignment = 12,
  kMultiLine = 13,
  kVerticalAlignment = 14,
};

// The font the main window stores for its transparent labels.
Bytes StoredFont(LONG height) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = 400;
  font.lfCharSet = 134;
  Bytes bytes(sizeof font);
  std::memcpy(bytes.data(), &font, sizeof font);
  return bytes;
}

// As the main window stores its "删除" caption, with a caption that every
// font can draw.
Bytes RedCaptionBlock(const std::string& caption) {
  return WriteTransparentLabelBlock(TransparentLabelProperties{.textColour = kRed,
                                                               .horizontalAlignment = 1,
                                                               .verticalAlignment = 1,
                                                               .font = StoredFont(-14),
                                                               .caption = caption});
}

bool IsRed(COLORREF c) {
  return c == kRed;
}

// The part of a capture inside a child's rectangle (parent coordinates).
RECT Inside(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class TransparentLabelTest : public ::testing::Test {
 protected:
  std::unique_ptr<UnitObject> Create(const Bytes& block, HWND parent, RECT rect) {
    auto label = CreateUnit(kTransparentLabelKindDescriptor, block, parent, rect, kUnitId);
    if (label != nullptr) {
      ShowWindow(label->Handle(), SW_SHOWNA);
    }
    return label;
  }
  int64_t Number(UnitObject* label, int32_t property) {
    return GetUnitProperty(kTransparentLabelKindDescriptor, label, property).number;
  }

  RecordingWindowSystem windowSystem_;
  ColouredParent parent_{kParentColour, 300, 120};
};

TEST_F(TransparentLabelTest, PaintsOnlyItsCaptionOverTheParent) {
  auto label = Create(RedCaptionBlock("Del"), parent_.Handle(), RECT{40, 30, 100, 50});
  ASSERT_NE(label, nullptr);
  const Pixels screen = CaptureClient(parent_.Handle());
  const RECT area = Inside(label->Handle());
  const RECT caption = screen.BoundsOf(area, IsRed);
  ASSERT_LT(caption.left, caption.right) << "the caption is on the screen";
  EXPECT_NEAR((caption.left + caption.right) / 2, (area.left + area.right) / 2, 2) << "centred";
  EXPECT_NEAR((caption.top + caption.bottom) / 2, (area.top + area.bottom) / 2, 2);
  // The corners of the label show the parent.
  EXPECT_EQ(screen.At(area.left, area.top), kParentColour);
  EXPECT_EQ(screen.At(area.right - 1, area.bottom - 1), kParentColour);
  EXPECT_EQ(screen.Count(screen.All(), kRed), screen.Count(area, kRed)) << "nothing outside";
}

TEST_F(TransparentLabelTest, ShowsTheGroupBoxBeneathIt) {
  constexpr COLORREF kBoxColour = RGB(200, 230, 250);
  constexpr COLORREF kBoxCaption = RGB(0, 0, 255);
  auto box = CreateUnit(
      kGroupBoxKindDescriptor,
      WriteGroupBoxBlock(GroupBoxProperties{
          .textColour = kBoxCaption, .backgroundColour = kBoxColour, .caption = "WWWWWWWWWWWW"}),
      parent_.Handle(), RECT{8, 8, 288, 108}, 0x1601016B);
  ASSERT_NE(box, nullptr);
  ShowWindow(box->Handle(), SW_SHOWNA);
  auto label = Create(RedCaptionBlock("Fmt"), box->Handle(), RECT{30, 50, 90, 70});
  ASSERT_NE(label, nullptr);

  const Pixels screen = CaptureClient(box->Handle());
  const RECT area = Inside(label->Handle());
  EXPECT_GT(screen.Count(area, kRed), 0);
  EXPECT_EQ(screen.At(area.left, area.top), kBoxColour);
  EXPECT_EQ(screen.At(area.right - 1, area.bottom - 1), kBoxColour);
  const RECT boxCaption = {0, 0, 120, 20};
  const int boxCaptionInk = screen.Count(boxCaption, kBoxCaption);
  ASSERT_GT(boxCaptionInk, 0);

  // Moved over the box's caption: the old place shows the plain box, the
  // new one the box's caption beneath the label's, not the pixels the label
  // had over its old place.
  MoveWindow(label->Handle(), 0, 0, 120, 20, TRUE);
  const Pixels moved = CaptureClient(box->Handle());
  EXPECT_EQ(moved.Count(area, kRed), 0) << "old place";
  EXPECT_EQ(moved.Count(area, kBoxColour), (area.right - area.left) * (area.bottom - area.top));
  EXPECT_GT(moved.Count(boxCaption, kRed), 0) << "new place";
  EXPECT_GT(moved.Count(boxCaption, kBoxCaption), boxCaptionInk / 2);
}

TEST_F(TransparentLabelTest, MovingAndChangingLeaveNoTrace) {
  auto label = Create(RedCaptionBlock("Del"), parent_.Handle(), RECT{40, 30, 100, 50});
  ASSERT_NE(label, nullptr);
  const RECT before = Inside(label->Handle());
  ASSERT_GT(CaptureClient(parent_.Handle()).Count(before, kRed), 0);

  SetWindowPos(label->Handle(), nullptr, 180, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Pixels screen = CaptureClient(parent_.Handle());
  EXPECT_EQ(screen.Count(before, kRed), 0) << "old place";
  const RECT after = Inside(label->Handle());
  EXPECT_GT(screen.Count(after, kRed), 0) << "new place";

  // A shorter caption in another place of the label: the old one is gone.
  SetUnitNumber(kTransparentLabelKindDescriptor, label.get(), kHorizontalAlignment, 0);
  SetUnitText(kTransparentLabelKindDescriptor, label.get(), kCaption, "D");
  screen = CaptureClient(parent_.Handle());
  const RECT caption = screen.BoundsOf(after, IsRed);
  EXPECT_LE(caption.right, after.left + (after.right - after.left) / 3);

  // An empty caption paints nothing, and what is beneath shows.
  SetUnitText(kTransparentLabelKindDescriptor, label.get(), kCaption, "");
  screen = CaptureClient(parent_.Handle());
  EXPECT_EQ(screen.Count(screen.All(), kRed), 0);
  EXPECT_EQ(screen.Count(after, kParentColour),
            (after.right - after.left) * (after.bottom - after.top));
}

TEST_F(TransparentLabelTest, WithoutBlockShowsTheDefaults) {
  auto label = CreateUnit(kTransparentLabelKindDescriptor, Bytes(), parent_.Handle(),
                          RECT{0, 0, 80, 20}, kUnitId);
  ASSERT_NE(label, nullptr);
  EXPECT_FALSE(IsWindowVisible(label->Handle())) << "the loader shows units";
  EXPECT_NE(GetWindowLongPtrA(label->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
  char text[32] = {};
  GetWindowTextA(label->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "透明标签");
  EXPECT_EQ(TextOfValue(GetUnitProperty(kTransparentLabelKindDescriptor, label.get(), kCaption)),
            "透明标签");
  EXPECT_EQ(Number(label.get(), kEffect), 0);
  EXPECT_EQ(Number(label.get(), kTextColour), 0);
  EXPECT_EQ(Number(label.get(), kHorizontalAlignment), 0);
  EXPECT_EQ(Number(label.get(), kVerticalAlignment), 1);
  EXPECT_EQ(Number(label.get(), kMultiLine), 0);
  EXPECT_TRUE(GetUnitProperty(kTransparentLabelKindDescriptor, label.get(), kFont).bytes.empty());

  Bytes tooNew = RedCaptionBlock("x");
  tooNew[0] = 2;
  EXPECT_EQ(CreateUnit(kTransparentLabelKindDescriptor, tooNew, parent_.Handle(), RECT{0, 0, 9, 9},
                       kUnitId),
            nullptr);
}

TEST_F(TransparentLabelTest, WrittenAndStoredValuesAreClamped) {
  auto label = Create(WriteTransparentLabelBlock(TransparentLabelProperties{
                          .effect = 12, .horizontalAlignment = 0xFFFFFFFF, .verticalAlignment = 3}),
                      parent_.Handle(), RECT{0, 0, 80, 20});
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(Number(label.get(), kEffect), 3);
  EXPECT_EQ(Number(label.get(), kHorizontalAlignment), 0);
  EXPECT_EQ(Number(label.get(), kVerticalAlignment), 2);

  struct Case {
    int32_t property;
    int64_t written;
    int64_t stored;
  };
  for (const Case& c :
       {Case{kEffect, 7, 3}, Case{kEffect, -2, 0}, Case{kHorizontalAlignment, -1, 0},
        Case{kHorizontalAlignment, 9, 2}, Case{kVerticalAlignment, 5, 2}, Case{kMultiLine, 4, 1}}) {
    EXPECT_FALSE(
        SetUnitNumber(kTransparentLabelKindDescriptor, label.get(), c.property, c.written));
    EXPECT_EQ(Number(label.get(), c.property), c.stored) << c.property << " <- " << c.written;
  }
  const Bytes saved = KindOperation<SaveUnitOperation>(kTransparentLabelKindDescriptor,
                                                       unit_operation::kSave)(label.get());
  TransparentLabelProperties read;
  ASSERT_TRUE(ReadTransparentLabelBlock(saved, &read));
  EXPECT_EQ(read.version, 1u);
  EXPECT_EQ(read.multiLine, 1u);
  EXPECT_EQ(read.verticalAlignment, 2u);
}

TEST_F(TransparentLabelTest, FontFieldOfAnotherLengthFallsBackToTheDefaultFont) {
  auto plain =
      CreateUnit(kTransparentLabelKindDescriptor, WriteTransparentLabelBlock({.caption = "Wg"}),
                 parent_.Handle(), RECT{0, 0, 80, 40}, kUnitId);
  Bytes shortFont = StoredFont(-30);
  shortFont.pop_back();
  auto odd = CreateUnit(kTransparentLabelKindDescriptor,
                        WriteTransparentLabelBlock({.font = shortFont, .caption = "Wg"}),
                        parent_.Handle(), RECT{0, 0, 80, 40}, kUnitId);
  auto big = CreateUnit(kTransparentLabelKindDescriptor,
                        WriteTransparentLabelBlock({.font = StoredFont(-30), .caption = "Wg"}),
                        parent_.Handle(), RECT{0, 0, 80, 40}, kUnitId);
  ASSERT_TRUE(plain && odd && big);
  const auto inkHeight = [](HWND window) {
    const Pixels pixels = PrintClient(window, RGB(255, 255, 255));
    const RECT ink =
        pixels.BoundsOf(pixels.All(), [](COLORREF c) { return c != RGB(255, 255, 255); });
    return ink.bottom - ink.top;
  };
  const int defaultHeight = inkHeight(plain->Handle());
  ASSERT_GT(defaultHeight, 0);
  EXPECT_EQ(inkHeight(odd->Handle()), defaultHeight);
  EXPECT_GT(inkHeight(big->Handle()), defaultHeight + 5) << "a whole record is used";
  EXPECT_EQ(GetUnitProperty(kTransparentLabelKindDescriptor, odd.get(), kFont).bytes, shortFont)
      << "the field itself is kept";

  SetUnitBytes(kTransparentLabelKindDescriptor, big.get(), kFont, Bytes());
  EXPECT_EQ(inkHeight(big->Handle()), defaultHeight);
}

TEST_F(TransparentLabelTest, DestroyedNativeWindowIsReported) {
  auto label = Create(RedCaptionBlock("Del"), parent_.Handle(), RECT{40, 30, 100, 50});
  ASSERT_NE(label, nullptr);
  DestroyWindow(label->Handle());
  ASSERT_EQ(windowSystem_.destroyed.size(), 1u);
  EXPECT_EQ(windowSystem_.destroyed[0].unitId, kUnitId);
  label.reset();
  EXPECT_EQ(windowSystem_.destroyed.size(), 1u);
}

TEST_F(TransparentLabelTest, ConvertTextsOffersCaptionAndFaceName) {
  Bytes font = StoredFont(-14);
  std::memcpy(font.data() + offsetof(LOGFONTA, lfFaceName), "宋体", 5);
  const auto convert = KindOperation<ConvertTextsOperation>(kTransparentLabelKindDescriptor,
                                                            unit_operation::kConvertTexts);
  const Bytes converted = convert(
      WriteTransparentLabelBlock({.font = font, .caption = "格式"}),
      [](const std::string& text) { return text == "宋体" ? std::string("Tahoma") : text + "!"; });
  TransparentLabelProperties read;
  ASSERT_TRUE(ReadTransparentLabelBlock(converted, &read));
  EXPECT_EQ(read.caption, "格式!");
  ASSERT_EQ(read.font.size(), sizeof(LOGFONTA));
  LOGFONTA face;
  std::memcpy(&face, read.font.data(), sizeof face);
  EXPECT_STREQ(face.lfFaceName, "Tahoma");
  EXPECT_EQ(face.lfHeight, -14);
}

}  // namespace
}  // namespace mnemora
