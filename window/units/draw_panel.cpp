#include "window/units/draw_panel.h"

#include <windows.h>

#include <iterator>
#include <utility>

#include "window/gdi_scopes.h"
#include "window/picture_painting.h"
#include "window/unit_events.h"
#include "window/unit_object.h"
#include "window/unit_support.h"
#include "window/units/caption_kind_support.h"
#include "window/units/draw_panel_block.h"
#include "window/units/kind_operations.h"
#include "window/units/kind_unit.h"
#include "window/units/own_property.h"
#include "window/units/own_window_unit.h"
#include "window/units/unit_interface.h"

namespace mnemora {
namespace {

constexpr char kClassName[] = "_QN_DrawPanel";
constexpr uint32_t kStateFlags = 0x800200C0;
constexpr DWORD kBaseStyle = WS_CHILD | WS_CLIPSIBLINGS;

namespace event {
inline constexpr int32_t kPaint = 0;
}  // namespace event

// Property indexes (number minus 8), in the order of the property table.
enum DrawPanelProperty : int32_t {
  kBorderStyle,
  kBackgroundColour,
  kBackgroundPicture,
  kPictureMode,
  kKeepDrawing,
  kDrawingUnit,
  kPenStyle,
  kDrawingMode,
  kPenWidth,
  kPenColour,
  kBrushStyle,
  kBrushColour,
  kTextColour,
  kTextBackgroundColour,
  kFont,
  kDrawPanelPropertyCount
};

constexpr OwnProperty<DrawPanelProperties> kOwnProperties[] = {
    {NamedProperty("BorderStyle", property_type::kChoice), &DrawPanelProperties::borderStyle},
    {NamedProperty("BackColor", property_type::kColour), &DrawPanelProperties::backgroundColour},
    {NamedProperty("Picture", property_type::kPicture), &DrawPanelProperties::backgroundPicture},
    {NamedProperty("PictureMode", property_type::kChoice), &DrawPanelProperties::pictureMode},
    {NamedProperty("KeepDrawing", property_type::kBoolean), &DrawPanelProperties::keepDrawing},
    {NamedProperty("DrawingUnit", property_type::kChoice), &DrawPanelProperties::drawingUnit},
    {NamedProperty("PenStyle", property_type::kChoice), &DrawPanelProperties::penStyle},
    {NamedProperty("DrawingMode", property_type::kChoice), &DrawPanelProperties::drawingMode},
    {NamedProperty("PenWidth", property_type::kInteger2), &DrawPanelProperties::penWidth},
    {NamedProperty("PenColor", property_type::kColour), &DrawPanelProperties::penColour},
    {NamedProperty("BrushStyle", property_type::kChoice), &DrawPanelProperties::brushStyle},
    {NamedProperty("BrushColor", property_type::kColour), &DrawPanelProperties::brushColour},
    {NamedProperty("TextColor", property_type::kColour), &DrawPanelProperties::textColour},
    {NamedProperty("TextBackColor", property_type::kColour),
     &DrawPanelProperties::textBackgroundColour},
    {NamedProperty("Font", property_type::kFont), &DrawPanelProperties::font},
};
static_assert(std::size(kOwnProperties) == kDrawPanelPropertyCount, "one entry per property");
constexpr auto kProperties = WithCommonProperties(kOwnProperties);
// Properties 8 to 22; the kinds table counts 25, but no further property is defined.
static_assert(kProperties.size() == 23, "23 properties in all");

// The stored ranges of the numeric properties.
constexpr int32_t kMaxPictureMode = 2;
constexpr int32_t kMaxDrawingUnit = 5;
constexpr int32_t kMaxPenStyle = 6;
constexpr int32_t kMaxDrawingMode = 15;
constexpr int32_t kMaxPenWidth = 32767;
constexpr int32_t kMaxBrushStyle = 55;

uint32_t Clamped(int64_t value, int32_t high) {
  return static_cast<uint32_t>(ClampInt(value, 0, high));
}

// Values read from a block are signed dwords and clamped as written ones are.
void ClampProperties(DrawPanelProperties* p) {
  auto stored = [](uint32_t v) { return static_cast<int64_t>(static_cast<int32_t>(v)); };
  p->borderStyle = static_cast<uint32_t>(ClampBorderStyle(stored(p->borderStyle)));
  p->pictureMode = Clamped(stored(p->pictureMode), kMaxPictureMode);
  p->keepDrawing = p->keepDrawing != 0 ? 1 : 0;
  p->drawingUnit = Clamped(stored(p->drawingUnit), kMaxDrawingUnit);
  p->penStyle = Clamped(stored(p->penStyle), kMaxPenStyle);
  p->drawingMode = Clamped(stored(p->drawingMode), kMaxDrawingMode);
  p->penWidth = Clamped(stored(p->penWidth), kMaxPenWidth);
  p->brushStyle = Clamped(stored(p->brushStyle), kMaxBrushStyle);
}

LRESULT CALLBACK DrawPanelProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

class DrawPanelUnit final : public KindUnit<OwnWindowUnit, kOwnProperties> {
 public:
  // The panel stores no texts: it has no text conversion.
  DrawPanelUnit(const UnitCreateArgs& args, DrawPanelProperties properties)
      : KindUnit(std::move(properties), args.windowId, args.unitId, unit_kind::kDrawPanel) {
    ClampProperties(&properties_);
    StorePicture(properties_.backgroundPicture);
  }
  ~DrawPanelUnit() override { DestroyNative(); }

  bool CreateNative(const UnitCreateArgs& args);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool SetProperty(int32_t index, const UnitValue& value);

  // For the window procedure, from WM_NCCREATE on.
  void AttachTo(HWND handle) { AttachNative(handle); }

 private:
  void StorePicture(const Bytes& bytes);
  void Paint(HDC dc) override;
  void OnPaint();
  void Repaint() { InvalidateRect(Handle(), nullptr, FALSE); }

  PictureCache picture_;
};

// The panel whose CreateWindowExA runs now. WM_NCCREATE attaches it
// rather than the creation data's pointer: another program can send
// WM_NCCREATE with creation data of its own.
DrawPanelUnit* g_panelBeingCreated = nullptr;

bool DrawPanelUnit::CreateNative(const UnitCreateArgs& args) {
  if (!EnsureUnitClass(kClassName, DrawPanelProc, nullptr)) {
    return false;
  }
  g_panelBeingCreated = this;
  HWND handle = CreateUnitWindow(args, 0, kClassName, nullptr, kBaseStyle);
  g_panelBeingCreated = nullptr;
  if (handle == nullptr) {
    return false;
  }
  ApplyBorderStyle(handle, static_cast<int32_t>(properties_.borderStyle));
  return true;
}

// Bytes that do not decode are dropped: the property then reads back empty.
void DrawPanelUnit::StorePicture(const Bytes& bytes) {
  properties_.backgroundPicture = picture_.Reset(bytes) ? bytes : Bytes();
}

void DrawPanelUnit::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  const COLORREF background = ResolveColour(properties_.backgroundColour);
  PaintPicture(dc, client, picture_.ComposedOver(background),
               static_cast<int32_t>(properties_.pictureMode), background);
}

// Drawing units 0 to 5 are the platform's fixed mapping modes, from pixels
// to twips; the area goes to the handler in the units its drawing uses.
void DrawPanelUnit::OnPaint() {
  RECT area;
  {
    PaintScope paint(Handle());
    Paint(paint.Dc());
    RECT client;
    GetClientRect(Handle(), &client);
    IntersectRect(&area, &paint.UpdateRect(), &client);
    SetMapMode(paint.Dc(), MM_TEXT + static_cast<int>(properties_.drawingUnit));
    DPtoLP(paint.Dc(), reinterpret_cast<POINT*>(&area), 2);
  }
  if (properties_.keepDrawing == 0) {
    RaiseUnitEvent(WindowId(), UnitId(), event::kPaint,
                   {area.left, area.top, area.right, area.bottom});
  }
}

LRESULT DrawPanelUnit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole client area
    default:
      return OnCommonMessage(message, wParam, lParam);
  }
}

// Units placed on the panel send their notifications here first.
LRESULT CALLBACK DrawPanelProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (ReflectToChild(message, wParam, lParam, &reflected)) {
    return reflected;
  }
  if (message == WM_NCCREATE && g_panelBeingCreated != nullptr) {
    std::exchange(g_panelBeingCreated, nullptr)->AttachTo(handle);
  }
  return OwnWindowProc<DrawPanelUnit>(handle, message, wParam, lParam);
}

bool DrawPanelUnit::SetProperty(int32_t index, const UnitValue& value) {
  DrawPanelProperties& p = properties_;
  const int64_t number = value.number;
  switch (index) {
    case kBorderStyle:
      p.borderStyle = static_cast<uint32_t>(ClampBorderStyle(number));
      ApplyBorderStyle(Handle(), static_cast<int32_t>(p.borderStyle));
      break;
    case kBackgroundColour:
      p.backgroundColour = static_cast<uint32_t>(number);
      Repaint();
      break;
    case kBackgroundPicture:
      StorePicture(value.bytes);
      Repaint();
      break;
    case kPictureMode:
      p.pictureMode = Clamped(number, kMaxPictureMode);
      Repaint();
      break;
    case kKeepDrawing:
      p.keepDrawing = number != 0 ? 1 : 0;
      break;
    case kDrawingUnit:
      p.drawingUnit = Clamped(number, kMaxDrawingUnit);
      break;
    case kPenStyle:
      p.penStyle = Clamped(number, kMaxPenStyle);
      break;
    case kDrawingMode:
      p.drawingMode = Clamped(number, kMaxDrawingMode);
      break;
    case kPenWidth:
      p.penWidth = Clamped(number, kMaxPenWidth);
      break;
    case kPenColour:
      p.penColour = static_cast<uint32_t>(number);
      break;
    case kBrushStyle:
      p.brushStyle = Clamped(number, kMaxBrushStyle);
      break;
    case kBrushColour:
      p.brushColour = static_cast<uint32_t>(number);
      break;
    case kTextColour:
      p.textColour = static_cast<uint32_t>(number);
      break;
    case kTextBackgroundColour:
      p.textBackgroundColour = static_cast<uint32_t>(number);
      break;
    case kFont:
      p.font = value.bytes;
      break;
    default:
      break;
  }
  return false;
}

}  // namespace

constinit const UnitTypeDescriptor kDrawPanelKindDescriptor =
    KindOperations<DrawPanelUnit, kOwnProperties>::Descriptor("画板", "DrawPanel", kStateFlags,
                                                              kProperties);

}  // namespace mnemora
