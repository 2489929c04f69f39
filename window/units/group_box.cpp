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
#include "window/units/kind_unit.h"
#include "window/units/own_property.h"
#include "window/units/unit_interface.h"

namespace mnemora {
namespace {

constexpr uint32_t kGroupBoxStateFlags = 0x840140C0;
// WS_CHILD, WS_CLIPSIBLINGS, BS_GROUPBOX.
constexpr DWORD kBaseStyle = 0x44000007;
constexpr DWORD kAlignmentBits = BS_CENTER;  // BS_LEFT | BS_RIGHT
constexpr int32_t kMaxAlignment = 2;

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

class GroupBoxUnit final : public KindUnit<ControlUnit, kOwnProperties> {
 public:
  GroupBoxUnit(const UnitCreateArgs& args, GroupBoxProperties properties)
      : KindUnit(std::move(properties), args.windowId, args.unitId, unit_kind::kGroupBox,
                 GoneReport::kReported) {
    properties_.alignment = ClampField(SignedField(properties_.alignment), 0, kMaxAlignment);
  }
  ~GroupBoxUnit() override { DestroyControl(); }

  bool CreateNative(const UnitCreateArgs& args);
  bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  bool SetProperty(int32_t index, const UnitValue& value);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ApplyAlignment();
  void FillBackground(HDC dc) const;
  void Repaint() { InvalidateRect(Handle(), nullptr, TRUE); }
  LRESULT OnSetText(LPARAM text);
};

bool GroupBoxUnit::CreateNative(const UnitCreateArgs& args) {
  ReplaceBackground(properties_.backgroundColour, properties_.backgroundColour);
  if (!CreateControl(args, "BUTTON", properties_.caption.c_str(),
                     kBaseStyle | kAlignmentStyles[properties_.alignment])) {
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
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return CallNextRaisingFocus(message, wParam, lParam);
    default:
      return CallNext(message, wParam, lParam);
  }
}

void GroupBoxUnit::FillBackground(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, Background());
}

LRESULT GroupBoxUnit::OnSetText(LPARAM text) {
  const LRESULT result = CallNext(WM_SETTEXT, 0, text);
  KeepCaption(result, text, &properties_.caption);
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
    KindOperations<GroupBoxUnit, kOwnProperties>::Descriptor("分组框", "GroupBox",
                                                             kGroupBoxStateFlags, kProperties);

}  // namespace mnemora
