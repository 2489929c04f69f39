#include "window/units/label.h"

#include <climits>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "runtime/win_handles.h"
#include "window/form_description.h"
#include "window/gdi_scopes.h"
#include "window/picture_painting.h"
#include "window/unit_events.h"
#include "window/unit_object.h"
#include "window/unit_support.h"
#include "window/units/caption_drawing.h"
#include "window/units/caption_kind_support.h"
#include "window/units/label_block.h"
#include "window/units/kind_operations.h"
#include "window/units/kind_unit.h"
#include "window/units/own_property.h"
#include "window/units/own_window_unit.h"
#include "window/units/unit_interface.h"

namespace mnemora {
namespace {

constexpr char kLabelClass[] = "_QN_Label";
constexpr uint32_t kLabelStateFlags = 0x84012040;

// Border styles 0 to 5 are native frames; 6 is the painted gradient frame.
constexpr int32_t kGradientFrame = 6;
constexpr int32_t kMinFrameWidth = 5;
constexpr int32_t kMaxPictureMode = 2;
constexpr int32_t kMaxGradientMode = 8;
constexpr int32_t kMaxAlignment = 2;

namespace event {
constexpr int32_t kMessage = 0;
}  // namespace event

// Kind-specific properties, numbered from 8 by the application.
enum LabelProperty : int32_t {
  kCaption,
  kEffect,
  kBorderStyle,
  kFrameWidth,
  kFrameColour1,
  kFrameColour2,
  kFrameColour3,
  kFont,
  kTextColour,
  kBackgroundColour,
  kBackgroundPicture,
  kPictureMode,
  kGradientMode,
  kGradientColour1,
  kGradientColour2,
  kGradientColour3,
  kHorizontalAlignment,
  kWordWrap,
  kVerticalAlignment,
  kDataSource,
  kDataColumn,
  kLabelPropertyCount
};

// The kind's own properties, in the order of their numbers from 8.
constexpr OwnProperty<LabelProperties> kOwnProperties[] = {
    {PropertyOfType(property_type::kText), &LabelProperties::caption},
    {PropertyOfType(property_type::kChoice), &LabelProperties::effect},
    {PropertyOfType(property_type::kChoice), &LabelProperties::borderStyle},
    {PropertyOfType(property_type::kInteger2), &LabelProperties::frameWidth},
    {PropertyOfType(property_type::kColour), &LabelProperties::frameColour1},
    {PropertyOfType(property_type::kColour), &LabelProperties::frameColour2},
    {PropertyOfType(property_type::kColour), &LabelProperties::frameColour3},
    {PropertyOfType(property_type::kFont), &LabelProperties::font},
    {PropertyOfType(property_type::kColour), &LabelProperties::textColour},
    {PropertyOfType(property_type::kBackgroundColour), &LabelProperties::backgroundColour},
    {PropertyOfType(property_type::kPicture), &LabelProperties::backgroundPicture},
    {PropertyOfType(property_type::kChoice), &LabelProperties::pictureMode},
    {PropertyOfType(property_type::kChoice), &LabelProperties::gradientMode},
    {PropertyOfType(property_type::kColour), &LabelProperties::gradientColour1},
    {PropertyOfType(property_type::kColour), &LabelProperties::gradientColour2},
    {PropertyOfType(property_type::kColour), &LabelProperties::gradientColour3},
    {PropertyOfType(property_type::kChoice), &LabelProperties::horizontalAlignment},
    {PropertyOfType(property_type::kBoolean), &LabelProperties::wordWrap},
    {PropertyOfType(property_type::kChoice), &LabelProperties::verticalAlignment},
    {PropertyOfType(property_type::kText), &LabelProperties::dataSource},
    {PropertyOfType(property_type::kText), &LabelProperties::dataColumn},
};
static_assert(std::size(kOwnProperties) == kLabelPropertyCount, "one entry per property");
constexpr auto kProperties = WithCommonProperties(kOwnProperties);
static_assert(kProperties.size() == 29, "29 properties in all");

// One gradient background kind: the axis the colours run along, whether
// they run backwards, and whether they run out from both edges to the
// middle and back.
struct GradientKind {
  bool vertical;
  bool reversed;
  bool mirrored;
};

constexpr GradientKind kGradientKinds[] = {
    {false, false, false},  // 1 left to right
    {true, false, false},   // 2 top to bottom
    {false, true, false},   // 3 right to left
    {true, true, false},    // 4 bottom to top
    {false, false, true},   // 5 both sides to the middle
    {true, false, true},    // 6 top and bottom to the middle
    {false, true, true},    // 7 the middle to both sides
    {true, true, true},     // 8 the middle to top and bottom
};
static_assert(std::size(kGradientKinds) == kMaxGradientMode, "gradient modes 1 to 8");

uint32_t ClampFrameWidth(int64_t width) {
  return ClampField(width, kMinFrameWidth, INT32_MAX);
}

// Stored values out of range are clamped as written ones are.
void ClampLabelProperties(LabelProperties& p) {
  p.effect = ClampField(SignedField(p.effect), 0, kMaxCaptionEffect);
  p.borderStyle = ClampField(SignedField(p.borderStyle), 0, kGradientFrame);
  p.frameWidth = ClampFrameWidth(SignedField(p.frameWidth));
  p.pictureMode = ClampField(SignedField(p.pictureMode), 0, kMaxPictureMode);
  p.gradientMode = ClampField(SignedField(p.gradientMode), 0, kMaxGradientMode);
  p.horizontalAlignment = ClampField(SignedField(p.horizontalAlignment), 0, kMaxAlignment);
  p.verticalAlignment = ClampField(SignedField(p.verticalAlignment), 0, kMaxAlignment);
  p.wordWrap = p.wordWrap != 0 ? 1 : 0;
}

// The native frame of a border style; the gradient frame is painted.
int32_t NativeBorder(uint32_t borderStyle) {
  return borderStyle == kGradientFrame ? 0 : static_cast<int32_t>(borderStyle);
}

// The colours of a gradient, leaving out "button face" entries.
std::vector<COLORREF> UsableColours(std::initializer_list<uint32_t> colours) {
  std::vector<COLORREF> usable;
  for (uint32_t colour : colours) {
    if (colour != kButtonFaceColour) {
      usable.push_back(static_cast<COLORREF>(colour));
    }
  }
  return usable;
}

// The colour at position step of steps (0 .. steps - 1) along the stops.
COLORREF GradientColour(const std::vector<COLORREF>& stops, int step, int steps) {
  const int segments = static_cast<int>(stops.size()) - 1;
  const int64_t span = steps > 1 ? steps - 1 : 1;
  const int64_t position = static_cast<int64_t>(step) * segments;
  const int segment = static_cast<int>(std::min<int64_t>(position / span, segments - 1));
  const int64_t within = position - segment * span;
  auto mix = [&](int channel) {
    const int from = (stops[segment] >> channel) & 0xFF;
    const int to = (stops[segment + 1] >> channel) & 0xFF;
    return static_cast<COLORREF>(from + (to - from) * within / span) << channel;
  };
  return mix(0) | mix(8) | mix(16);
}

void FillWithColour(HDC dc, const RECT& area, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &area, StockBrush(DC_BRUSH));
}

// Rings from the outer edge inwards, the first colour outside.
void DrawGradientFrame(HDC dc, RECT area, int width, const std::vector<COLORREF>& stops) {
  for (int ring = 0; ring < width && !IsRectEmpty(&area); ++ring) {
    SetDCBrushColor(dc, GradientColour(stops, ring, width));
    FrameRect(dc, &area, StockBrush(DC_BRUSH));
    InflateRect(&area, -1, -1);
  }
}

// One-pixel strips across the area along the kind's axis.
void FillGradient(HDC dc, const RECT& area, const GradientKind& kind,
                  const std::vector<COLORREF>& stops) {
  const int length = kind.vertical ? area.bottom - area.top : area.right - area.left;
  for (int i = 0; i < length; ++i) {
    int step = kind.reversed ? length - 1 - i : i;
    int steps = length;
    if (kind.mirrored) {
      // Both halves run from the edge (first colour) to the middle.
      step = std::min(step, length - 1 - step);
      steps = (length + 1) / 2;
    }
    RECT strip = area;
    if (kind.vertical) {
      strip.top = area.top + i;
      strip.bottom = strip.top + 1;
    } else {
      strip.left = area.left + i;
      strip.right = strip.left + 1;
    }
    FillWithColour(dc, strip, GradientColour(stops, step, steps));
  }
}

// Frame, background and caption into area (the client rectangle).
void PaintLabel(HDC dc, RECT area, const LabelProperties& p, HFONT font, PictureCache& picture) {
  SavedDcState saved(dc);
  const COLORREF background = ResolveColour(p.backgroundColour);
  FillWithColour(dc, area, background);
  if (p.borderStyle == kGradientFrame) {
    const int width = static_cast<int>(p.frameWidth);
    const auto stops = UsableColours({p.frameColour1, p.frameColour2, p.frameColour3});
    if (stops.size() >= 2) {
      DrawGradientFrame(dc, area, width, stops);
    }
    InflateRect(&area, -width, -width);
  }
  if (picture.HasPicture()) {
    PaintPicture(dc, area, picture.ComposedOver(background), static_cast<int32_t>(p.pictureMode),
                 background);
  } else if (p.gradientMode != 0) {
    const auto stops = UsableColours({p.gradientColour1, p.gradientColour2, p.gradientColour3});
    if (stops.size() >= 2) {
      FillGradient(dc, area, kGradientKinds[p.gradientMode - 1], stops);
    }
  }
  const CaptionStyle style{
      CaptionFormat(p.horizontalAlignment, p.verticalAlignment, p.wordWrap != 0), p.effect,
      ResolveColour(p.textColour), font};
  DrawCaption(dc, area, p.caption, style);
}

class LabelUnit final : public KindUnit<OwnWindowUnit, kOwnProperties> {
 public:
  LabelUnit(const UnitCreateArgs& args, LabelProperties properties)
      : KindUnit(std::move(properties), args.windowId, args.unitId, unit_kind::kLabel) {
    ClampLabelProperties(properties_);
  }
  ~LabelUnit() override { DestroyNative(); }

  bool CreateNative(const UnitCreateArgs& args);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool SetProperty(int32_t index, const UnitValue& value);

 private:
  void Repaint() { InvalidateRect(Handle(), nullptr, FALSE); }
  // Bytes that do not decode are dropped: the picture then reads back empty.
  void ReplacePicture(const Bytes& bytes) {
    properties_.backgroundPicture = picture_.Reset(bytes) ? bytes : Bytes();
  }
  void Paint(HDC dc) override;
  LRESULT OnSetText(LPARAM text);
  LRESULT OnEventMessage(WPARAM wParam, LPARAM lParam);

  UniqueFont font_;       // null: the default GUI font
  PictureCache picture_;  // decoded once, until the picture changes
};

LRESULT CALLBACK LabelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (ReflectToChild(message, wParam, lParam, &reflected)) {
    return reflected;
  }
  return OwnWindowProc<LabelUnit>(window, message, wParam, lParam);
}

bool LabelUnit::CreateNative(const UnitCreateArgs& args) {
  if (!EnsureUnitClass(kLabelClass, &LabelWindowProc, nullptr)) {
    return false;
  }
  if (!CreateOwnWindow(args, 0, kLabelClass, properties_.caption.c_str(),
                       WS_CHILD | WS_CLIPSIBLINGS)) {
    return false;
  }
  font_ = CreateUnitFont(properties_.font);
  ReplacePicture(properties_.backgroundPicture);
  ApplyBorderStyle(Handle(), NativeBorder(properties_.borderStyle));
  return true;
}

LRESULT LabelUnit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painting fills the background
    case WM_SETTEXT:
      return OnSetText(lParam);
    case kLabelEventMessage:
      return OnEventMessage(wParam, lParam);
    default:
      return OnCommonMessage(message, wParam, lParam);
  }
}

void LabelUnit::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  PaintLabel(dc, client, properties_, FontOrDefault(font_), picture_);
}

LRESULT LabelUnit::OnSetText(LPARAM text) {
  const LRESULT result = DefWindowProcA(Handle(), WM_SETTEXT, 0, text);
  if (KeepCaption(result, text, &properties_.caption)) {
    Repaint();
  }
  return result;
}

LRESULT LabelUnit::OnEventMessage(WPARAM wParam, LPARAM lParam) {
  const EventOutcome outcome =
      RaiseUnitEvent(WindowId(), UnitId(), event::kMessage,
                     {static_cast<int32_t>(wParam), static_cast<int32_t>(lParam)});
  return outcome.returned ? outcome.value : 0;
}

bool LabelUnit::SetProperty(int32_t index, const UnitValue& value) {
  LabelProperties& p = properties_;
  const int64_t number = value.number;
  switch (index) {
    case kCaption:
      // WM_SETTEXT stores the caption and repaints.
      SetWindowTextA(Handle(), TextOf(value).c_str());
      return false;
    case kEffect:
      p.effect = ClampField(number, 0, kMaxCaptionEffect);
      break;
    case kBorderStyle:
      p.borderStyle = ClampField(number, 0, kGradientFrame);
      ApplyBorderStyle(Handle(), NativeBorder(p.borderStyle));
      break;
    case kFrameWidth:
      p.frameWidth = ClampFrameWidth(number);
      break;
    case kFrameColour1:
      p.frameColour1 = ColourOf(value);
      break;
    case kFrameColour2:
      p.frameColour2 = ColourOf(value);
      break;
    case kFrameColour3:
      p.frameColour3 = ColourOf(value);
      break;
    case kFont:
      p.font = value.bytes;
      font_ = CreateUnitFont(p.font);
      break;
    case kTextColour:
      p.textColour = ColourOf(value);
      break;
    case kBackgroundColour:
      p.backgroundColour = ColourOf(value);
      break;
    case kBackgroundPicture:
      ReplacePicture(value.bytes);
      break;
    case kPictureMode:
      p.pictureMode = ClampField(number, 0, kMaxPictureMode);
      break;
    case kGradientMode:
      p.gradientMode = ClampField(number, 0, kMaxGradientMode);
      break;
    case kGradientColour1:
      p.gradientColour1 = ColourOf(value);
      break;
    case kGradientColour2:
      p.gradientColour2 = ColourOf(value);
      break;
    case kGradientColour3:
      p.gradientColour3 = ColourOf(value);
      break;
    case kHorizontalAlignment:
      p.horizontalAlignment = ClampField(number, 0, kMaxAlignment);
      break;
    case kWordWrap:
      p.wordWrap = BooleanOf(value);
      break;
    case kVerticalAlignment:
      p.verticalAlignment = ClampField(number, 0, kMaxAlignment);
      break;
    case kDataSource:
      p.dataSource = TextOf(value);
      break;
    case kDataColumn:
      p.dataColumn = TextOf(value);
      break;
    default:
      return false;
  }
  Repaint();
  return false;
}

}  // namespace

constinit const UnitTypeDescriptor kLabelKindDescriptor =
    KindOperations<LabelUnit, kOwnProperties>::Descriptor("标签", "Label", kLabelStateFlags,
                                                          kProperties);

}  // namespace mnemora
