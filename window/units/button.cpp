#include "window/units/button.h"

#include <windows.h>

#include <iterator>
#include <string>
#include <utility>

#include "window/picture_decoding.h"
#include "window/unit_events.h"
#include "window/unit_support.h"
#include "window/units/button_block.h"
#include "window/units/control_unit.h"
#include "window/units/kind_operations.h"
#include "window/units/kind_unit.h"
#include "window/units/own_property.h"
#include "window/units/unit_kind_helpers.h"

namespace mnemora {
namespace {

constexpr uint32_t kStateFlags = 0x80000840;
constexpr DWORD kBaseStyle = WS_CHILD | WS_CLIPSIBLINGS | BS_MULTILINE;
constexpr DWORD kAlignmentBits = BS_CENTER | BS_VCENTER;
constexpr DWORD kHorizontalBits[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
constexpr DWORD kVerticalBits[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
constexpr int32_t kMaxAlignment = 2;

namespace event {
inline constexpr int32_t kClicked = 0;
}  // namespace event

// Property indexes (number minus 8), in the order of the property table.
enum ButtonProperty : int32_t {
  kPicture,
  kDefaultButton,
  kCaption,
  kHorizontalAlignment,
  kVerticalAlignment,
  kFont,
  kButtonPropertyCount
};

constexpr OwnProperty<ButtonProperties> kOwnProperties[] = {
    {NamedProperty("Picture", property_type::kPicture), &ButtonProperties::picture},
    {NamedProperty("Default", property_type::kBoolean), &ButtonProperties::defaultButton},
    {NamedProperty("Caption", property_type::kText), &ButtonProperties::caption},
    {NamedProperty("HorizontalAlignment", property_type::kChoice),
     &ButtonProperties::horizontalAlignment},
    {NamedProperty("VerticalAlignment", property_type::kChoice),
     &ButtonProperties::verticalAlignment},
    {NamedProperty("Font", property_type::kFont), &ButtonProperties::font},
};
static_assert(std::size(kOwnProperties) == kButtonPropertyCount, "one entry per property");
constexpr auto kProperties = WithCommonProperties(kOwnProperties);
static_assert(kProperties.size() == 14, "14 properties in all");

uint32_t ClampedAlignment(int64_t value) {
  return static_cast<uint32_t>(ClampInt(value, 0, kMaxAlignment));
}

DWORD AlignmentStyle(const ButtonProperties& p) {
  return kHorizontalBits[p.horizontalAlignment] | kVerticalBits[p.verticalAlignment];
}

// What a stored picture becomes on the button: an icon for icon and cursor
// files, otherwise a bitmap on the button-face colour; neither when the
// bytes do not decode.
struct ButtonPicture {
  UniqueIcon icon;
  PictureBitmap bitmap;

  bool Empty() const { return !icon && !bitmap; }
};

ButtonPicture DecodeButtonPicture(const Bytes& bytes) {
  ButtonPicture picture;
  if (IsIconFile(bytes)) {
    picture.icon = MakePictureIcon(bytes, GetSystemMetrics(SM_CXICON));
  } else if (!bytes.empty()) {
    picture.bitmap = DecodePicture(bytes, GetSysColor(COLOR_BTNFACE));
  }
  return picture;
}

class ButtonUnit final : public KindUnit<ControlUnit, kOwnProperties> {
 public:
  ButtonUnit(const UnitCreateArgs& args, ButtonProperties properties)
      : KindUnit(std::move(properties), args.windowId, args.unitId, unit_kind::kButton,
                 GoneReport::kReported) {
    properties_.defaultButton = properties_.defaultButton != 0 ? 1 : 0;
    properties_.horizontalAlignment = ClampedAlignment(properties_.horizontalAlignment);
    properties_.verticalAlignment = ClampedAlignment(properties_.verticalAlignment);
    picture_ = DecodeButtonPicture(properties_.picture);
    if (picture_.Empty()) {
      properties_.picture.clear();
    }
  }
  ~ButtonUnit() override { DestroyControl(); }

  bool CreateNative(const UnitCreateArgs& args);
  bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  bool SetProperty(int32_t index, const UnitValue& value);
  bool ActsOnEnter() const { return properties_.defaultButton != 0; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  DWORD Style() const;
  void ApplyDefaultButton();
  void ApplyAlignment();

  ButtonPicture picture_;
};

DWORD ButtonUnit::Style() const {
  DWORD style = kBaseStyle | AlignmentStyle(properties_);
  style |= properties_.defaultButton != 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (picture_.icon) {
    style |= BS_ICON;
  } else if (picture_.bitmap) {
    style |= BS_BITMAP;
  }
  return style;
}

bool ButtonUnit::CreateNative(const UnitCreateArgs& args) {
  if (!CreateControl(args, "BUTTON", properties_.caption.c_str(), Style())) {
    return false;
  }
  HWND handle = Handle();
  // The button only borrows the image; this object keeps it alive.
  if (picture_.icon) {
    SendMessageA(handle, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture_.icon.Get()));
  } else if (picture_.bitmap) {
    SendMessageA(handle, BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(picture_.bitmap.Handle()));
  }
  ShowFont(properties_.font, FALSE);
  return true;
}

// BM_SETSTYLE changes only the button type; the control redraws itself.
void ButtonUnit::ApplyDefaultButton() {
  SendMessageA(Handle(), BM_SETSTYLE,
               properties_.defaultButton != 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void ButtonUnit::ApplyAlignment() {
  LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
  style = (style & ~static_cast<LONG_PTR>(kAlignmentBits)) | AlignmentStyle(properties_);
  SetWindowLongPtrA(Handle(), GWL_STYLE, style);
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool ButtonUnit::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    RaiseUnitEvent(WindowId(), UnitId(), event::kClicked);
    *result = 0;
    return true;
  }
  return false;
}

LRESULT ButtonUnit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return CallNextRaisingFocus(message, wParam, lParam);
    default:
      return CallNext(message, wParam, lParam);
  }
}

bool ButtonUnit::SetProperty(int32_t index, const UnitValue& value) {
  ButtonProperties& p = properties_;
  switch (index) {
    case kPicture:
      // A new native window shows the new picture; bytes that do not
      // decode are dropped now, so they read back empty.
      p.picture = DecodeButtonPicture(value.bytes).Empty() ? Bytes() : value.bytes;
      return true;
    case kDefaultButton:
      p.defaultButton = value.number != 0 ? 1 : 0;
      ApplyDefaultButton();
      return false;
    case kCaption:
      p.caption = TextOf(value);
      SetWindowTextA(Handle(), p.caption.c_str());
      return false;
    case kHorizontalAlignment:
      p.horizontalAlignment = ClampedAlignment(value.number);
      ApplyAlignment();
      return false;
    case kVerticalAlignment:
      p.verticalAlignment = ClampedAlignment(value.number);
      ApplyAlignment();
      return false;
    case kFont:
      p.font = value.bytes;
      ShowFont(p.font, TRUE);
      return false;
    default:
      return false;
  }
}

}  // namespace

constinit const UnitTypeDescriptor kButtonKindDescriptor =
    KindOperations<ButtonUnit, kOwnProperties>::Descriptor("按钮", "Button", kStateFlags,
                                                           kProperties);

}  // namespace mnemora
