#include "window/units/group_box.h"

#include <windows.h>

#include <iterator>
#include <string>
#include <utility>

#include "runtime/win_handles.h"
#include "window/form_description.h"
#include "window/unit_events.h"
#include "window/unit_object.h"
#include "window/unit_support.h"
#include "window/units/caption_kind_support.h"
#include "window/units/control_unit.h"
#include "window/units/group_box_block.h"
#include "window/units/kind_operations.h"
#include "window/units/own_property.h"
#include "window/units/unit_interface.h"

namespace mnemora {
namespace {

constexpr uint32_t kGroupBoxStateFlags = 0x840140C0;
// WS_CHILD, WS_CLIPSIBLINGS, BS_GROUPBOX.
constexpr DWORD kBaseStyle = 0x44000007;
constexpr DWORD kAlignmentBits = BS_CENTER;  // BS_LEFT | BS_RIGHT
constexpr int32_t kMaxAlignment = 2;

namespace event {
constexpr int32_t kGotFocus = -7;
constexpr int32_t kLostFocus = -8;
}  // namespace event

// Kind-specific properties, numbered from 8 by the application.
enum GroupBoxProperty : int32_t {
  kCaption,
  kAlignment,
  kTextColour,
  kBackgroundColour,
  kFont,
  kGroupBoxPropertyCount
};

// The kind's own properties, in the order of their numbers from 8.
constexpr OwnProperty<GroupBoxProperties> kOwnProperties[] = {
    {PropertyOfType(property_type::kText), &GroupBoxProperties::caption},
    {PropertyOfType(property_type::kChoice), &GroupBoxProperties::alignment},
    {PropertyOfType(property_type::kColour), &GroupBoxProperties::textColour},
    {PropertyOfType(property_type::kBackgroundColour), &GroupBoxProperties::backgroundColour},
    {PropertyOfType(property_type::kFont), &GroupBoxProperties::font},
};
static_assert(std::size(kOwnProperties) == kGroupBoxPropertyCount, "one entry per property");
constexpr auto kProperties = WithCommonProperties(kOwnProperties);
static_assert(kProperties.size() == 13, "13 properties in all");

// Caption alignment 0 left, 1 centre, 2 right as button style bits.
constexpr DWORD kAlignmentStyles[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
static_assert(std::size(kAlignmentStyles) == kMaxAlignment + 1, "three alignments");

class GroupBoxUnit final : public ControlUnit {
 public:
  // The caption is the one stored text.
  static void ConvertTexts(GroupBoxProperties& p, TextConversion convert) {
    p.caption = convert(p.caption);
  }

  GroupBoxUnit(const UnitCreateArgs& args, GroupBoxProperties properties)
      : ControlUnit(args.windowId, args.unitId, unit_kind::kGroupBox, GoneReport::kReported),
        properties_(std::move(properties)) {
    properties_.version = kGroupBoxBlockVersion;  // saved as the newest version
    properties_.alignment = ClampField(SignedField(properties_.alignment), 0, kMaxAlignment);
  }
  ~GroupBoxUnit() override { DestroyControl(); }

  bool CreateNative(const UnitCreateArgs& args);
  bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  bool SetProperty(int32_t index, const UnitValue& value);
  UnitValue GetProperty(int32_t index) const {
    return StoredValue(kOwnProperties, index, properties_);
  }
  Bytes Save() const { return WritePropertyBlock(properties_); }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ApplyAlignment();
  void FillBackground(HDC dc) const;
  void Repaint() { InvalidateRect(Handle(), nullptr, TRUE); }
  LRESULT OnSetText(LPARAM text);

  GroupBoxProperties properties_;
};

bool GroupBoxUnit::CreateNative(const UnitCreateArgs& args) {
  ReplaceBackground(properties_.backgroundColour, properties_.backgroundColour);
  const DWORD style =
      kBaseStyle | kAlignmentStyles[properties_.alignment] | UnitWindowStyle(args.style);
  HWND box = CreateWindowExA(0, "BUTTON", properties_.caption.c_str(), style, args.left, args.top,
                             args.width, args.height, args.parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.controlId)),
                             GetModuleHandleA(nullptr), nullptr);
  if (box == nullptr) {
    return false;
  }
  if (!Subclass(box)) {
    return false;
  }
  ShowFont(properties_.font, TRUE);
  return true;
}

// The native group box asks its parent for colours and brush before it
// paints; the parent hands the question back here.
bool GroupBoxUnit::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      *result = AnswerColours(wParam, properties_.textColour, properties_.backgroundColour);
      return true;
    }
    default:
      return false;
  }
}

LRESULT GroupBoxUnit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The group box parents other units: their notifications come here first
  // and go on to their own unit objects.
  LRESULT reflected = 0;
  if (ReflectToChild(message, wParam, lParam, &reflected)) {
    return reflected;
  }
  switch (message) {
    case WM_ERASEBKGND:
      FillBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PRINTCLIENT:
      // The native painting draws only the frame and the caption.
      FillBackground(reinterpret_cast<HDC>(wParam));
      return CallNext(message, wParam, lParam);
    case WM_SETTEXT:
      return OnSetText(lParam);
    case WM_SETFOCUS: {
      const LRESULT result = CallNext(message, wParam, lParam);
      RaiseUnitEvent(WindowId(), UnitId(), event::kGotFocus);
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = CallNext(message, wParam, lParam);
      RaiseUnitEvent(WindowId(), UnitId(), event::kLostFocus);
      return result;
    }
    default:
      return CallNext(message, wParam, lParam);
  }
}

void GroupBoxUnit::FillBackground(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, Background());
}

// The caption is the window text at every moment.
LRESULT GroupBoxUnit::OnSetText(LPARAM text) {
  const LRESULT result = CallNext(WM_SETTEXT, 0, text);
  if (result != FALSE) {
    const char* caption = reinterpret_cast<const char*>(text);
    properties_.caption = caption != nullptr ? caption : "";
  }
  return result;
}

void GroupBoxUnit::ApplyAlignment() {
  const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
  SetWindowLongPtrA(Handle(), GWL_STYLE,
                    (style & ~static_cast<LONG_PTR>(kAlignmentBits)) |
                        static_cast<LONG_PTR>(kAlignmentStyles[properties_.alignment]));
}

bool GroupBoxUnit::SetProperty(int32_t index, const UnitValue& value) {
  GroupBoxProperties& p = properties_;
  switch (index) {
    case kCaption:
      SetWindowTextA(Handle(), TextOf(value).c_str());
      break;
    case kAlignment:
      p.alignment = ClampField(value.number, 0, kMaxAlignment);
      ApplyAlignment();
      break;
    case kTextColour:
      p.textColour = ColourOf(value);
      break;
    case kBackgroundColour:
      p.backgroundColour = ColourOf(value);
      ReplaceBackground(p.backgroundColour, p.backgroundColour);
      break;
    case kFont:
      p.font = value.bytes;
      ShowFont(p.font, TRUE);
      break;
    default:
      return false;
  }
  Repaint();
  return false;
}

}  // namespace

constinit const UnitTypeDescriptor kGroupBoxKindDescriptor =
    KindOperations<GroupBoxUnit, GroupBoxProperties>::Descriptor("分组框", "GroupBox",
                                                                 kGroupBoxStateFlags, kProperties);

}  // namespace mnemora
