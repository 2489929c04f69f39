// Picture decoding, and the drawing panel as a real window: its creation
// from the main window's stored block, its painting read back as pixels in
// the three picture modes, its properties and its events.
#include <windows.h>

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/help_pictures.h"
#include "app/main_window_form.h"
#include "tests/test_pictures.h"
#include "tests/unit_bench.h"
#include "tests/window_pixels.h"
#include "window/picture_decoding.h"
#include "window/unit_object.h"
#include "window/units/button.h"
#include "window/units/draw_panel.h"
#include "window/units/draw_panel_block.h"

namespace mnemora {
namespace {

using namespace bench;
using namespace test_pictures;

constexpr uint32_t kPanelId = app::unit::kHelpPanel;
const UnitTypeDescriptor& kPanel = kDrawPanelKindDescriptor;

// Property numbers.
constexpr int32_t kBorderStyle = 8;
constexpr int32_t kBackgroundColour = 9;
constexpr int32_t kPicture = 10;
constexpr int32_t kPictureMode = 11;
constexpr int32_t kKeepDrawing = 12;
constexpr int32_t kDrawingUnit = 13;
constexpr int32_t kPenStyle = 14;
constexpr int32_t kDrawingMode = 15;
constexpr int32_t kPenWidth = 16;
constexpr int32_t kBrushStyle = 18;
constexpr int32_t kBrushColour = 19;
constexpr int32_t kTextBackgroundColour = 21;
constexpr int32_t kFont = 22;

constexpr COLORREF kGrey = RGB(128, 128, 128);

Bytes Garbage() {
  return Bytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
}

COLORREF ButtonFace() {
  return GetSysColor(COLOR_BTNFACE);
}

// Counts the pixels in [left, right) x [top, bottom) that differ from the
// expected colour of their position, reporting the first.
template <typename Expected>
int Mismatches(const Pixels& pixels, RECT area, Expected expected) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const COLORREF want = expected(x, y);
      if (pixels.At(x, y) != want && count++ == 0) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << pixels.At(x, y)
                      << ", expected " << want;
      }
    }
  }
  return count;
}

int MismatchesOf(const Pixels& pixels, RECT area, COLORREF colour) {
  return Mismatches(pixels, area, [colour](int, int) { return colour; });
}

// --- picture decoding ------------------------------------------------------

TEST(PictureDecoding, PngKeepsSizeChannelOrderAndStraightAlpha) {
  const Rgba translucentGreen{0, 255, 0, 128};
  const Rgba clear{10, 20, 30, 0};
  const Bytes png = MakePng(3, 2, [&](int x, int y) {
    const Rgba row0[] = {kRed, translucentGreen, clear};
    const Rgba row1[] = {kBlue, kWhite, Rgba{1, 2, 3, 200}};
    return y == 0 ? row0[x] : row1[x];
  });
  const std::optional<DecodedImage> image = DecodeImage(png);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0xFFFF0000, 0x8000FF00, 0x000A141E, 0xFF0000FF,
                                                  0xFFFFFFFF, 0xC8010203}));

  // Over blue: half green, half blue; the clear pixel is the background.
  const PictureBitmap composed = ComposeOverBackground(*image, RGB(0, 0, 255));
  ASSERT_TRUE(composed);
  EXPECT_EQ(composed.Width(), 3);
  EXPECT_EQ(composed.Height(), 2);
  EXPECT_EQ(composed.Pixels()[0], 0xFFFF0000u);
  EXPECT_EQ(composed.Pixels()[1], 0xFF00807Fu);
  EXPECT_EQ(composed.Pixels()[2], 0xFF0000FFu);
}

TEST(PictureDecoding, HelpPicturesDecodeOpaqueAtTheirSizes) {
  const std::optional<DecodedImage> format = DecodeImage(app::FormatHelpPicture());
  const std::optional<DecodedImage> deletion = DecodeImage(app::DeleteHelpPicture());
  ASSERT_TRUE(format.has_value());
  ASSERT_TRUE(deletion.has_value());
  EXPECT_EQ(format->width, 319);
  EXPECT_EQ(format->height, 126);
  EXPECT_EQ(deletion->width, 101);
  EXPECT_EQ(deletion->height, 193);
  for (uint32_t pixel : format->pixels) {
    ASSERT_EQ(pixel >> 24, 0xFFu);
  }
}

// Sets the IHDR size of a PNG file and its CRC again, so that only the
// size is wrong.
Bytes WithDeclaredSize(Bytes png, uint32_t width, uint32_t height) {
  auto putBig = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      png[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    }
  };
  putBig(16, width);
  putBig(20, height);
  putBig(29, static_cast<uint32_t>(crc32(0, png.data() + 12, 17)));
  return png;
}

TEST(PictureDecoding, DamagedAndForeignBytesDoNotDecode) {
  const Bytes png = MakePng(8, 8, [](int x, int) { return x < 4 ? kRed : kBlue; });
  ASSERT_TRUE(DecodeImage(png).has_value());

  Bytes badData = png;
  const auto idat =
      std::search(badData.begin(), badData.end(), std::begin("IDAT"), std::begin("IDAT") + 4);
  ASSERT_NE(idat, badData.end());
  idat[6] ^= 0x5A;  // inside the compressed pixels: the chunk's CRC no longer matches

  const std::vector<Bytes> cases = {
      Bytes(),
      Garbage(),
      Bytes(png.begin(), png.begin() + 8),               // the signature alone
      Bytes(png.begin(), png.begin() + png.size() / 2),  // cut off in the pixel data
      badData,
      WithDeclaredSize(png, 20000, 20000),  // above the pixel limit
      WithDeclaredSize(png, 40000, 1),      // wider than GDI draws
      WithDeclaredSize(png, 0, 8),
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(DecodeImage(cases[i]).has_value());
    EXPECT_FALSE(DecodePicture(cases[i], kGrey));
  }
}

TEST(PictureDecoding, PictureOverThePixelLimitIsRefusedEvenWhenValid) {
  EXPECT_FALSE(DecodeImage(MakeBlackGreyPng(4097, 4097)).has_value());
  const std::optional<DecodedImage> wide = DecodeImage(MakeBlackGreyPng(32767, 2));
  ASSERT_TRUE(wide.has_value());
  EXPECT_EQ(wide->pixels.front(), 0xFF000000u);
}

TEST(PictureDecoding, UncompressedBmpFilesDecodeOpaque) {
  const Rgba brown{128, 64, 32, 255};
  const Bytes bmp24 = MakeBmp24(3, 2, [&](int x, int y) {
    const Rgba row0[] = {kRed, kGreen, kBlue};
    const Rgba row1[] = {kWhite, Rgba{0, 0, 0, 255}, brown};
    return y == 0 ? row0[x] : row1[x];
  });
  const std::optional<DecodedImage> image = DecodeImage(bmp24);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF,
                                                  0xFF000000, 0xFF804020}));

  const Bytes bmp8 = MakeBmp8(2, 2, {kBlue, brown, kWhite},
                              [](int x, int y) { return static_cast<uint8_t>(y == 0 ? x : 2); });
  const std::optional<DecodedImage> indexed = DecodeImage(bmp8);
  ASSERT_TRUE(indexed.has_value());
  EXPECT_EQ(indexed->pixels,
            (std::vector<uint32_t>{0xFF0000FF, 0xFF804020, 0xFFFFFFFF, 0xFFFFFFFF}));

  Bytes cut = bmp24;
  cut.resize(cut.size() - 4);
  Bytes pixelsOutside = bmp24;
  pixelsOutside[10] = 0xF0;  // pixel offset past the end
  Bytes tooManyColours = bmp8;
  tooManyColours[14 + 32] = 0x2C;  // 300 colours for 8 bits
  tooManyColours[14 + 33] = 0x01;
  Bytes runLength = bmp8;
  runLength[14 + 16] = 1;  // BI_RLE8
  for (const Bytes& bad : {cut, pixelsOutside, tooManyColours, runLength}) {
    EXPECT_FALSE(DecodeImage(bad).has_value());
  }
}

// Per channel within tolerance.
bool Near(uint32_t actual, uint32_t expected, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(static_cast<int>((actual >> shift) & 0xFF) -
                 static_cast<int>((expected >> shift) & 0xFF)) > tolerance) {
      return false;
    }
  }
  return true;
}

TEST(PictureDecoding, IconFilesGiveIconsAndPixelsWithAlpha) {
  const Rgba halfGreen{0, 255, 0, 128};
  auto rows = [&](int, int y) {
    const Rgba byRow[] = {kRed, Rgba{0, 0, 0, 0}, halfGreen, kBlue};
    return byRow[y];
  };
  const std::vector<Bytes> icons = {MakeIcon32(4, rows), MakePngIcon(4, MakePng(4, 4, rows))};
  for (const Bytes& icon : icons) {
    EXPECT_TRUE(IsIconFile(icon));
    UniqueIcon handle = MakePictureIcon(icon, 32);
    ASSERT_TRUE(handle);
    const std::optional<DecodedImage> image = DecodeImage(icon);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, 4);
    ASSERT_EQ(image->height, 4);
    EXPECT_TRUE(Near(image->pixels[0], 0xFFFF0000, 2)) << std::hex << image->pixels[0];
    EXPECT_EQ(image->pixels[4] >> 24, 0u);
    EXPECT_TRUE(Near(image->pixels[8], 0x8000FF00, 3)) << std::hex << image->pixels[8];
    EXPECT_TRUE(Near(image->pixels[12], 0xFF0000FF, 2)) << std::hex << image->pixels[12];
  }

  Bytes cut = icons[0];
  cut.resize(cut.size() - 8);  // the AND mask is short
  Bytes pointsOutside = icons[0];
  pointsOutside[18] = 0xFF;  // image offset past the end
  for (const Bytes& bad : {cut, pointsOutside}) {
    EXPECT_FALSE(MakePictureIcon(bad, 0));
    EXPECT_FALSE(DecodeImage(bad).has_value());
  }
  EXPECT_FALSE(MakePictureIcon(MakePng(4, 4, rows), 0));
}

// --- the drawing panel -------------------------------------------------------

class DrawPanelTest : public ::testing::Test {
 protected:
  std::unique_ptr<UnitObject> CreatePanel(const DrawPanelProperties& properties, int width,
                                          int height) {
    return bench_.Create(kPanel, WritePropertyBlock(properties), kPanelId, {10, 10, width, height});
  }

  UnitBench bench_;
};

TEST_F(DrawPanelTest, MainWindowPanelIsCreatedHiddenWithItsStoredLook) {
  const Bytes stored = MainFormBlock(kPanelId);
  std::unique_ptr<UnitObject> panel =
      bench_.Create(kPanel, stored, kPanelId, {8, 17, 344, 152}, kUnitStyleTabStop);
  ASSERT_NE(panel, nullptr);
  HWND handle = panel->Handle();
  char className[32] = {};
  GetClassNameA(handle, className, sizeof className);
  EXPECT_STREQ(className, "_QN_DrawPanel");
  EXPECT_EQ(StyleOf(handle), WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP);
  EXPECT_EQ(ExStyleOf(handle) & (WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE), 0);
  EXPECT_EQ(GetDlgCtrlID(handle), 100);
  EXPECT_EQ(GetWindowTextLengthA(handle), 0);
  RECT client;
  GetClientRect(handle, &client);
  EXPECT_EQ(client.right, 344);
  EXPECT_EQ(client.bottom, 152);

  EXPECT_EQ(GetNumber(panel.get(), kPanel, kBackgroundColour), 0xFF000000);
  EXPECT_TRUE(GetBytes(panel.get(), kPanel, kPicture).empty());
  EXPECT_EQ(GetNumber(panel.get(), kPanel, kPenStyle), 1);
  EXPECT_EQ(GetNumber(panel.get(), kPanel, kDrawingMode), 12);
  EXPECT_EQ(GetNumber(panel.get(), kPanel, kBrushColour), 0x00FFFFFF);
  EXPECT_EQ(GetNumber(panel.get(), kPanel, kTextBackgroundColour), 0xFF000000);
  EXPECT_EQ(KindOperation<SaveUnitOperation>(kPanel, unit_operation::kSave)(panel.get()), stored);

  EXPECT_EQ(MismatchesOf(PrintClient(handle), client, ButtonFace()), 0);

  std::unique_ptr<UnitObject> disabled =
      bench_.Create(kPanel, stored, kPanelId, {0, 0, 10, 10}, kUnitStyleDisabled);
  ASSERT_NE(disabled, nullptr);
  EXPECT_EQ(StyleOf(disabled->Handle()), WS_CHILD | WS_CLIPSIBLINGS | WS_DISABLED);

  Bytes newer = stored;
  newer[0] = 2;
  EXPECT_EQ(bench_.Create(kPanel, newer, kPanelId, {0, 0, 10, 10}), nullptr);
}

TEST_F(DrawPanelTest, ForeignCreationDataAttachesNothing) {
  std::unique_ptr<UnitObject> panel = CreatePanel({}, 40, 30);
  ASSERT_NE(panel, nullptr);
  HWND handle = panel->Handle();
  // Creation data as another program could send it, naming an object that
  // is not a panel.
  int notAPanel = 0;
  CREATESTRUCTA create{};
  create.lpCreateParams = &notAPanel;
  SendMessageA(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create));
  EXPECT_EQ(notAPanel, 0);
  EXPECT_EQ(UnitObjectOf(handle), panel.get());
  RECT client;
  GetClientRect(handle, &client);
  EXPECT_EQ(MismatchesOf(PrintClient(handle), client, ButtonFace()), 0);
}

TEST_F(DrawPanelTest, HelpPictureShowsAtTopLeftOnTheButtonFace) {
  std::unique_ptr<UnitObject> panel =
      bench_.Create(kPanel, MainFormBlock(kPanelId), kPanelId, {8, 17, 344, 152});
  ASSERT_NE(panel, nullptr);
  const Bytes help = ToBytes(app::FormatHelpPicture());
  EXPECT_FALSE(SetBytes(panel.get(), kPanel, kPicture, help));
  EXPECT_EQ(GetBytes(panel.get(), kPanel, kPicture), help);

  const std::optional<DecodedImage> picture = DecodeImage(help);
  ASSERT_TRUE(picture.has_value());
  const Pixels pixels = PrintClient(panel->Handle());
  ASSERT_EQ(pixels.Width(), 344);
  EXPECT_EQ(Mismatches(pixels, RECT{0, 0, 319, 126},
                       [&](int x, int y) {
                         return ColourOfArgb(picture->pixels[static_cast<size_t>(y) * 319 + x]);
                       }),
            0);
  EXPECT_EQ(MismatchesOf(pixels, RECT{319, 0, 344, 152}, ButtonFace()), 0);
  EXPECT_EQ(MismatchesOf(pixels, RECT{0, 126, 319, 152}, ButtonFace()), 0);

  // On the screen as in the print.
  ShowWindow(bench_.Parent(), SW_SHOWNA);
  ShowWindow(panel->Handle(), SW_SHOWNA);
  RedrawWindow(bench_.Parent(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_EQ(ScreenPixels(panel->Handle()), pixels);
}

TEST_F(DrawPanelTest, FittedModeScalesDownByTheSmallerRatioAndCentres) {
  std::unique_ptr<UnitObject> panel =
      CreatePanel({.backgroundColour = kGrey, .pictureMode = 2}, 100, 60);
  ASSERT_NE(panel, nullptr);
  const COLORREF grey = kGrey;

  // Twice as wide as the panel: half size, 100 x 20, centred vertically.
  SetBytes(panel.get(), kPanel, kPicture,
           MakePng(200, 40, [](int x, int) { return x < 100 ? kRed : kBlue; }));
  Pixels pixels = PrintClient(panel->Handle());
  EXPECT_EQ(MismatchesOf(pixels, RECT{0, 0, 100, 20}, grey), 0);
  EXPECT_EQ(MismatchesOf(pixels, RECT{0, 20, 48, 40}, RGB(255, 0, 0)), 0);
  EXPECT_EQ(MismatchesOf(pixels, RECT{52, 20, 100, 40}, RGB(0, 0, 255)), 0);
  EXPECT_EQ(MismatchesOf(pixels, RECT{0, 40, 100, 60}, grey), 0);

  // Taller than the panel: 60 / 100 of its size, 24 x 60, centred across.
  SetBytes(panel.get(), kPanel, kPicture, MakePng(40, 100, [](int, int) { return kGreen; }));
  pixels = PrintClient(panel->Handle());
  EXPECT_EQ(MismatchesOf(pixels, RECT{0, 0, 38, 60}, grey), 0);
  EXPECT_EQ(MismatchesOf(pixels, RECT{38, 0, 62, 60}, RGB(0, 255, 0)), 0);
  EXPECT_EQ(MismatchesOf(pixels, RECT{62, 0, 100, 60}, grey), 0);

  // Smaller than the panel: natural size, centred.
  SetBytes(panel.get(), kPanel, kPicture, MakePng(20, 10, [](int, int) { return kRed; }));
  pixels = PrintClient(panel->Handle());
  EXPECT_EQ(MismatchesOf(pixels, RECT{40, 25, 60, 35}, RGB(255, 0, 0)), 0);
  EXPECT_EQ(MismatchesOf(pixels, RECT{0, 0, 100, 25}, grey), 0);
  EXPECT_EQ(MismatchesOf(pixels, RECT{0, 35, 100, 60}, grey), 0);
  EXPECT_EQ(MismatchesOf(pixels, RECT{0, 25, 40, 35}, grey), 0);
  EXPECT_EQ(MismatchesOf(pixels, RECT{60, 25, 100, 35}, grey), 0);
}

TEST_F(DrawPanelTest, TiledModeRepeatsFromTheTopLeftAndModeZeroShowsTheTopLeftPart) {
  auto quadrant = [](int x, int y) {
    const Rgba colours[] = {kRed, kGreen, kBlue, kWhite};
    return colours[(y >= 10 ? 2 : 0) + (x >= 15 ? 1 : 0)];
  };
  std::unique_ptr<UnitObject> panel =
      CreatePanel({.backgroundColour = kGrey, .pictureMode = 1}, 100, 50);
  ASSERT_NE(panel, nullptr);
  SetBytes(panel.get(), kPanel, kPicture, MakePng(30, 20, quadrant));
  Pixels pixels = PrintClient(panel->Handle());
  EXPECT_EQ(Mismatches(pixels, RECT{0, 0, 100, 50},
                       [&](int x, int y) { return ColourOfArgb(Argb(quadrant(x % 30, y % 20))); }),
            0);

  // Mode 0 with a picture larger than the panel: only its top-left part.
  SetNumber(panel.get(), kPanel, kPictureMode, 0);
  auto large = [&](int x, int y) { return quadrant(x / 4 % 30, y / 4 % 20); };
  SetBytes(panel.get(), kPanel, kPicture, MakePng(300, 200, large));
  pixels = PrintClient(panel->Handle());
  EXPECT_EQ(Mismatches(pixels, RECT{0, 0, 100, 50},
                       [&](int x, int y) { return ColourOfArgb(Argb(large(x, y))); }),
            0);
}

TEST_F(DrawPanelTest, AlphaIsComposedOverTheCurrentBackgroundColour) {
  std::unique_ptr<UnitObject> panel = CreatePanel({.backgroundColour = RGB(0, 255, 0)}, 40, 20);
  ASSERT_NE(panel, nullptr);
  SetBytes(panel.get(), kPanel, kPicture, MakePng(2, 1, [](int x, int) {
             return x == 0 ? Rgba{255, 0, 0, 128} : Rgba{0, 0, 0, 0};
           }));
  Pixels pixels = PrintClient(panel->Handle());
  EXPECT_EQ(pixels.At(0, 0), RGB(0x80, 0x7F, 0x00));
  EXPECT_EQ(pixels.At(1, 0), RGB(0x00, 0xFF, 0x00));
  EXPECT_EQ(pixels.At(30, 10), RGB(0x00, 0xFF, 0x00));

  // The kept picture is composed again over a new colour.
  EXPECT_FALSE(SetNumber(panel.get(), kPanel, kBackgroundColour, RGB(0, 0, 255)));
  pixels = PrintClient(panel->Handle());
  EXPECT_EQ(pixels.At(0, 0), RGB(0x80, 0x00, 0x7F));
  EXPECT_EQ(pixels.At(1, 0), RGB(0x00, 0x00, 0xFF));

  SetNumber(panel.get(), kPanel, kBackgroundColour, 0xFF000000);
  pixels = PrintClient(panel->Handle());
  const COLORREF face = ButtonFace();
  const COLORREF expected =
      RGB((255 * 128 + GetRValue(face) * 127 + 127) / 255, (GetGValue(face) * 127 + 127) / 255,
          (GetBValue(face) * 127 + 127) / 255);
  EXPECT_EQ(pixels.At(0, 0), expected);
  EXPECT_EQ(pixels.At(1, 0), face);
}

TEST_F(DrawPanelTest, UndecodablePictureIsDroppedAndReadsBackEmpty) {
  std::unique_ptr<UnitObject> panel = CreatePanel({.backgroundColour = kGrey}, 40, 20);
  ASSERT_NE(panel, nullptr);
  SetBytes(panel.get(), kPanel, kPicture, MakePng(10, 10, [](int, int) { return kRed; }));
  ASSERT_EQ(PrintClient(panel->Handle()).At(5, 5), RGB(255, 0, 0));

  EXPECT_FALSE(SetBytes(panel.get(), kPanel, kPicture, Garbage()));
  EXPECT_TRUE(GetBytes(panel.get(), kPanel, kPicture).empty());
  EXPECT_EQ(MismatchesOf(PrintClient(panel->Handle()), RECT{0, 0, 40, 20}, kGrey), 0);

  // Stored in the form the same way: the saved block holds no picture.
  std::unique_ptr<UnitObject> loaded = CreatePanel({.backgroundPicture = Garbage()}, 40, 20);
  ASSERT_NE(loaded, nullptr);
  EXPECT_TRUE(GetBytes(loaded.get(), kPanel, kPicture).empty());
  DrawPanelProperties saved;
  ASSERT_TRUE(ReadPropertyBlock(
      KindOperation<SaveUnitOperation>(kPanel, unit_operation::kSave)(loaded.get()), &saved));
  EXPECT_TRUE(saved.backgroundPicture.empty());
}

TEST_F(DrawPanelTest, WritesAndStoredValuesAreClampedToTheirRanges) {
  std::unique_ptr<UnitObject> panel =
      CreatePanel({.pictureMode = 9, .drawingUnit = 0xFFFFFFFF, .penStyle = 99}, 40, 20);
  ASSERT_NE(panel, nullptr);
  UnitObject* unit = panel.get();
  EXPECT_EQ(GetNumber(unit, kPanel, kPictureMode), 2);
  EXPECT_EQ(GetNumber(unit, kPanel, kDrawingUnit), 0);
  EXPECT_EQ(GetNumber(unit, kPanel, kPenStyle), 6);

  struct Write {
    int32_t property;
    int64_t written;
    int64_t stored;
  };
  const Write writes[] = {
      {kBorderStyle, 9, 5},
      {kBorderStyle, -1, 0},
      {kPictureMode, 7, 2},
      {kPictureMode, -3, 0},
      {kKeepDrawing, 5, 1},
      {kDrawingUnit, 6, 5},
      {kPenStyle, 7, 6},
      {kDrawingMode, 16, 15},
      {kDrawingMode, -1, 0},
      {kPenWidth, 40000, 32767},
      {kPenWidth, -3, 0},
      {kBrushStyle, 56, 55},
      {kBrushColour, 0xFF000000, 0xFF000000},
  };
  for (const Write& w : writes) {
    SCOPED_TRACE(w.property);
    EXPECT_FALSE(SetNumber(unit, kPanel, w.property, w.written));
    EXPECT_EQ(GetNumber(unit, kPanel, w.property), w.stored);
  }
  const Bytes font(60, 1);
  SetBytes(unit, kPanel, kFont, font);
  EXPECT_EQ(GetBytes(unit, kPanel, kFont), font);

  // Border styles change the frame at once.
  SetNumber(unit, kPanel, kBorderStyle, 1);
  EXPECT_NE(ExStyleOf(unit->Handle()) & WS_EX_CLIENTEDGE, 0);
  SetNumber(unit, kPanel, kBorderStyle, 5);
  EXPECT_EQ(ExStyleOf(unit->Handle()) & WS_EX_CLIENTEDGE, 0);
  EXPECT_NE(StyleOf(unit->Handle()) & WS_BORDER, 0);
}

TEST_F(DrawPanelTest, PaintRaisesEvent0WithTheAreaInDrawingUnits) {
  std::unique_ptr<UnitObject> panel = CreatePanel({.backgroundColour = kGrey}, 200, 100);
  ASSERT_NE(panel, nullptr);
  HWND handle = panel->Handle();
  ShowWindow(bench_.Parent(), SW_SHOWNA);
  ShowWindow(handle, SW_SHOWNA);
  RedrawWindow(bench_.Parent(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_EQ(MismatchesOf(ScreenPixels(handle), RECT{0, 0, 200, 100}, kGrey), 0);

  auto paintPart = [&] {
    bench_.ClearEvents();
    const RECT part{10, 5, 30, 25};
    InvalidateRect(handle, &part, FALSE);
    UpdateWindow(handle);
    return bench_.EventsOf(kPanelId);
  };
  std::vector<RaisedEvent> events = paintPart();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].windowId, kWindowId);
  EXPECT_EQ(events[0].event, 0);
  EXPECT_EQ(events[0].arguments, (std::vector<int32_t>{10, 5, 30, 25}));

  // Unit 5 is twips, y growing upward; the platform's mapping may round the
  // last twip either way.
  SetNumber(panel.get(), kPanel, kDrawingUnit, 5);
  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  events = paintPart();
  ASSERT_EQ(events.size(), 1u);
  const int32_t twips[] = {MulDiv(10, 1440, dpiX), -MulDiv(5, 1440, dpiY), MulDiv(30, 1440, dpiX),
                           -MulDiv(25, 1440, dpiY)};
  ASSERT_EQ(events[0].arguments.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(events[0].arguments[i], twips[i], 1) << i;
  }

  // With keep drawing on, nothing is drawn by the program: no event.
  SetNumber(panel.get(), kPanel, kKeepDrawing, 1);
  EXPECT_TRUE(paintPart().empty());
}

TEST_F(DrawPanelTest, FocusAndDestructionAreReported) {
  std::unique_ptr<UnitObject> panel = CreatePanel({}, 40, 20);
  ASSERT_NE(panel, nullptr);
  ShowWindow(bench_.Parent(), SW_SHOWNA);
  ShowWindow(panel->Handle(), SW_SHOWNA);
  SetFocus(panel->Handle());
  SetFocus(bench_.Parent());
  std::vector<int32_t> numbers;
  for (const RaisedEvent& e : bench_.EventsOf(kPanelId)) {
    if (e.event != 0) {
      numbers.push_back(e.event);
    }
  }
  EXPECT_EQ(numbers, (std::vector<int32_t>{-7, -8}));

  // The native window going away is reported once; the window system then
  // deletes the object.
  DestroyWindow(panel->Handle());
  ASSERT_EQ(bench_.Destroyed().size(), 1u);
  EXPECT_EQ(bench_.Destroyed()[0].windowId, kWindowId);
  EXPECT_EQ(bench_.Destroyed()[0].unitId, kPanelId);
  panel.reset();
  EXPECT_EQ(bench_.Destroyed().size(), 1u);

  // Deleting a live unit takes its window along, without a report.
  std::unique_ptr<UnitObject> deleted = CreatePanel({}, 40, 20);
  ASSERT_NE(deleted, nullptr);
  HWND handle = deleted->Handle();
  deleted.reset();
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(bench_.Destroyed().size(), 1u);
}

TEST_F(DrawPanelTest, UnitsOnThePanelGetTheirNotifications) {
  std::unique_ptr<UnitObject> panel = CreatePanel({}, 200, 100);
  ASSERT_NE(panel, nullptr);
  constexpr uint32_t kButtonId = app::unit::kAddButton;
  std::unique_ptr<UnitObject> button = bench_.Create(
      kButtonKindDescriptor, MainFormBlock(kButtonId), kButtonId, {5, 5, 80, 24, panel->Handle()});
  ASSERT_NE(button, nullptr);
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  std::vector<RaisedEvent> clicks;
  for (const RaisedEvent& e : bench_.EventsOf(kButtonId)) {
    if (e.event == 0) {
      clicks.push_back(e);
    }
  }
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_TRUE(clicks[0].arguments.empty());
}

}  // namespace
}  // namespace mnemora
