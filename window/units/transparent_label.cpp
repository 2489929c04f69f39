#include "window/units/transparent_label.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "runtime/win_handles.h"
#include "window/form_description.h"
#include "window/gdi_scopes.h"
#include "window/unit_events.h"
#include "window/unit_object.h"
#include "window/unit_support.h"
#include "window/units/caption_drawing.h"
#include "window/units/caption_kind_support.h"
#include "window/units/transparent_label_block.h"
#include "window/units/kind_operations.h"
#include "window/units/kind_unit.h"
#include "window/units/own_property.h"
#include "window/units/own_window_unit.h"
#include "window/units/unit_interface.h"

namespace mnemora {
namespace {

constexpr char kTransparentLabelClass[] = "_QN_TransLabel";
constexpr uint32_t kTransparentLabelStateFlags = 0x00012040;
constexpr int32_t kMaxAlignment = 2;

// Kind-specific properties, numbered from 8 by the application.
enum TransparentLabelProperty : int32_t {
  kCaption,
  kEffect,
  kFont,
  kTextColour,
  kHorizontalAlignment,
  kMultiLine,
  kVerticalAlignment,
  kTransparentLabelPropertyCount
};

// The kind's own properties, in the order of their numbers from 8.
constexpr OwnProperty<TransparentLabelProperties> kOwnProperties[] = {
    {PropertyOfType(property_type::kText), &TransparentLabelProperties::caption},
    {PropertyOfType(property_type::kChoice), &TransparentLabelProperties::effect},
    {PropertyOfType(property_type::kFont), &TransparentLabelProperties::font},
    {PropertyOfType(property_type::kColour), &TransparentLabelProperties::textColour},
    {PropertyOfType(property_type::kChoice), &TransparentLabelProperties::horizontalAlignment},
    {PropertyOfType(property_type::kBoolean), &TransparentLabelProperties::multiLine},
    {PropertyOfType(property_type::kChoice), &TransparentLabelProperties::verticalAlignment},
};
static_assert(std::size(kOwnProperties) == kTransparentLabelPropertyCount,
              "one entry per property");
constexpr auto kProperties = WithCommonProperties(kOwnProperties);
static_assert(kProperties.size() == 15, "15 properties in all");

// Stored values out of range are clamped as written ones are.
void ClampTransparentLabelProperties(TransparentLabelProperties& p) {
  p.effect = ClampField(SignedField(p.effect), 0, kMaxCaptionEffect);
  p.horizontalAlignment = ClampField(SignedField(p.horizontalAlignment), 0, kMaxAlignment);
  p.verticalAlignment = ClampField(SignedField(p.verticalAlignment), 0, kMaxAlignment);
  p.multiLine = p.multiLine != 0 ? 1 : 0;
}

// Appends the visible descendants of parent, each window's own
// descendants before itself, front to back among siblings.
void CollectVisibleDescendants(HWND parent, std::vector<HWND>* windows) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child)) {
      CollectVisibleDescendants(child, windows);
      windows->push_back(child);
    }
  }
}

// Up the parent chain to a popup window or a window without parent.
HWND TopLevelOf(HWND window) {
  HWND top = window;
  for (;;) {
    if ((GetWindowLongPtrA(top, GWL_STYLE) & WS_POPUP) != 0) {
      return top;
    }
    HWND parent = GetAncestor(top, GA_PARENT);
    if (parent == nullptr || parent == GetDesktopWindow()) {
      return top;
    }
    top = parent;
  }
}

// A rectangle in screen coordinates as client coordinates of window.
RECT ScreenToClientRect(HWND window, RECT rect) {
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class TransparentLabelUnit final : public KindUnit<OwnWindowUnit, kOwnProperties> {
 public:
  // The face name in a whole font record, besides the caption.
  static void ConvertOtherTexts(TransparentLabelProperties& p, TextConversion convert);

  TransparentLabelUnit(const UnitCreateArgs& args, TransparentLabelProperties properties)
      : KindUnit(std::move(properties), args.windowId, args.unitId, unit_kind::kTransparentLabel) {
    ClampTransparentLabelProperties(properties_);
  }
  ~TransparentLabelUnit() override { DestroyNative(); }

  bool CreateNative(const UnitCreateArgs& args);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool SetProperty(int32_t index, const UnitValue& value);

 private:
  void Paint(HDC dc) override;
  LRESULT OnSetText(LPARAM text);

  UniqueFont font_;  // null: the default GUI font
};

bool TransparentLabelUnit::CreateNative(const UnitCreateArgs& args) {
  if (!EnsureUnitClass(kTransparentLabelClass, &OwnWindowProc<TransparentLabelUnit>,
                       StockBrush(NULL_BRUSH))) {
    return false;
  }
  if (!CreateOwnWindow(args, WS_EX_TRANSPARENT, kTransparentLabelClass, properties_.caption.c_str(),
                       WS_CHILD | WS_CLIPSIBLINGS)) {
    return false;
  }
  font_ = CreateUnitFont(properties_.font);
  return true;
}

LRESULT TransparentLabelUnit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      return OnSetText(lParam);
    case WM_MOVE:
      RepaintBeneath(Handle());
      return 0;
    default:
      return OnCommonMessage(message, wParam, lParam);
  }
}

void TransparentLabelUnit::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  const CaptionStyle style{CaptionFormat(properties_.horizontalAlignment,
                                         properties_.verticalAlignment, properties_.multiLine != 0),
                           properties_.effect, ResolveColour(properties_.textColour),
                           FontOrDefault(font_)};
  DrawCaption(dc, client, properties_.caption, style);
}

// The old caption is painted over with what lies beneath.
LRESULT TransparentLabelUnit::OnSetText(LPARAM text) {
  const LRESULT result = DefWindowProcA(Handle(), WM_SETTEXT, 0, text);
  if (KeepCaption(result, text, &properties_.caption)) {
    RepaintBeneath(Handle());
  }
  return result;
}

bool TransparentLabelUnit::SetProperty(int32_t index, const UnitValue& value) {
  TransparentLabelProperties& p = properties_;
  switch (index) {
    case kCaption:
      // WM_SETTEXT stores the caption and repaints.
      SetWindowTextA(Handle(), TextOf(value).c_str());
      return false;
    case kEffect:
      p.effect = ClampField(value.number, 0, kMaxCaptionEffect);
      break;
    case kFont:
      p.font = value.bytes;
      font_ = CreateUnitFont(p.font);
      break;
    case kTextColour:
      p.textColour = ColourOf(value);
      break;
    case kHorizontalAlignment:
      p.horizontalAlignment = ClampField(value.number, 0, kMaxAlignment);
      break;
    case kMultiLine:
      p.multiLine = BooleanOf(value);
      break;
    case kVerticalAlignment:
      p.verticalAlignment = ClampField(value.number, 0, kMaxAlignment);
      break;
    default:
      return false;
  }
  RepaintBeneath(Handle());
  return false;
}

void TransparentLabelUnit::ConvertOtherTexts(TransparentLabelProperties& p,
                                             TextConversion convert) {
  if (p.font.size() == kFontRecordSize) {
    LOGFONTA font;
    std::memcpy(&font, p.font.data(), sizeof font);
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    const std::string face = convert(font.lfFaceName);
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, face.data(), std::min<size_t>(face.size(), LF_FACESIZE - 1));
    std::memcpy(p.font.data(), &font, sizeof font);
  }
}

}  // namespace

void RepaintBeneath(HWND window) {
  if (!IsWindowVisible(window)) {
    return;
  }
  HWND top = TopLevelOf(window);
  RECT screen;
  GetWindowRect(window, &screen);
  const RECT inTop = ScreenToClientRect(top, screen);
  InvalidateRect(top, &inTop, TRUE);
  UpdateWindow(top);
  std::vector<HWND> windows;
  CollectVisibleDescendants(top, &windows);
  // Parents before their children, the back of each stack first.
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    RECT bounds;
    RECT overlap;
    GetWindowRect(*it, &bounds);
    if (IntersectRect(&overlap, &bounds, &screen)) {
      const RECT area = ScreenToClientRect(*it, overlap);
      RedrawWindow(*it, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }
  }
  InvalidateRect(window, nullptr, FALSE);
}

constinit const UnitTypeDescriptor kTransparentLabelKindDescriptor =
    KindOperations<TransparentLabelUnit, kOwnProperties>::Descriptor(
        "透明标签", "TransLabel", kTransparentLabelStateFlags, kProperties);

}  // namespace mnemora
