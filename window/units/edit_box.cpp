#include "window/units/edit_box.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>

#include "runtime/ui_thread_channel.h"
#include "runtime/win_handles.h"
#include "window/unit_events.h"
#include "window/unit_object.h"
#include "window/sent_structure.h"
#include "window/unit_support.h"
#include "window/units/caption_kind_support.h"
#include "window/units/control_unit.h"
#include "window/units/edit_box_block.h"
#include "window/units/edit_box_input.h"
#include "window/units/kind_operations.h"
#include "window/units/kind_unit.h"
#include "window/units/own_property.h"
#include "window/units/unit_interface.h"
#include "window/units/unit_kind_helpers.h"
#include "window/gdi_scopes.h"

namespace mnemora {
namespace {

// Kind-specific properties, numbered from 8 by the application.
enum EditBoxProperty : int32_t {
  kContent,
  kBorderStyle,
  kTextColour,
  kBackgroundColour,
  kFont,
  kHideSelection,
  kMaxLength,
  kMultiLine,
  kScrollBars,
  kAlignment,
  kInputMode,
  kPasswordCharacter,
  kCaseConversion,
  kAdjusterMode,
  kAdjusterMinimum,
  kAdjusterMaximum,
  kSelectionStart,
  kSelectionLength,
  kSelectedText,
  kDataSource,
  kDataColumn,
  kEditBoxPropertyCount
};

// The kind's own properties, in the order of their numbers from 8.
constexpr OwnProperty<EditBoxProperties> kOwnProperties[] = {
    {NamedProperty("Content", property_type::kText), &EditBoxProperties::content},
    {NamedProperty("BorderStyle", property_type::kChoice), &EditBoxProperties::borderStyle},
    {NamedProperty("TextColour", property_type::kColour), &EditBoxProperties::textColour},
    {NamedProperty("BackgroundColour", property_type::kBackgroundColour),
     &EditBoxProperties::backgroundColour},
    {NamedProperty("Font", property_type::kFont), &EditBoxProperties::font},
    {NamedProperty("HideSelection", property_type::kBoolean),
     AsFlag(&EditBoxProperties::hideSelection)},
    {NamedProperty("MaxLength", property_type::kInteger2), &EditBoxProperties::maxLength},
    {NamedProperty("MultiLine", property_type::kBoolean), AsFlag(&EditBoxProperties::multiLine)},
    {NamedProperty("ScrollBars", property_type::kChoice), &EditBoxProperties::scrollBars},
    {NamedProperty("Alignment", property_type::kChoice), &EditBoxProperties::alignment},
    {NamedProperty("InputMode", property_type::kChoice), &EditBoxProperties::inputMode},
    NamedProperty("PasswordCharacter", property_type::kText),  // worked out by the kind
    {NamedProperty("CaseConversion", property_type::kChoice), &EditBoxProperties::caseConversion},
    {NamedProperty("AdjusterMode", property_type::kChoice), &EditBoxProperties::adjusterMode},
    {NamedProperty("AdjusterMinimum", property_type::kInteger2),
     &EditBoxProperties::adjusterMinimum},
    {NamedProperty("AdjusterMaximum", property_type::kInteger2),
     &EditBoxProperties::adjusterMaximum},
    {NamedProperty("SelectionStart", property_type::kInteger2), &EditBoxProperties::selectionStart},
    {NamedProperty("SelectionLength", property_type::kInteger2),
     &EditBoxProperties::selectionLength},
    NamedProperty("SelectedText", property_type::kText),  // worked out by the kind
    {NamedProperty("DataSource", property_type::kText), &EditBoxProperties::dataSource},
    {NamedProperty("DataColumn", property_type::kText), &EditBoxProperties::dataColumn},
};
static_assert(std::size(kOwnProperties) == kEditBoxPropertyCount, "one entry per property");
constexpr auto kProperties = WithCommonProperties(kOwnProperties);
static_assert(kProperties.size() == 29, "29 properties in all");

constexpr uint32_t kEditBoxStateFlags = 0x80000040;
constexpr int kAdjusterIdOffset = 4;
// Measured for the single-line minimum height.
constexpr char kSampleCharacter[] = "汉";

namespace event {
constexpr int32_t kChanged = 0;
constexpr int32_t kAdjusterPressed = 1;
}  // namespace event

bool HasStaticEdgeAdjuster(uint32_t borderStyle) {
  return borderStyle == 0 || borderStyle == 1 || borderStyle == 3;
}

void EnsureUpDownClass() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)registered;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(std::max(GetWindowTextLengthA(window), 0)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Stored values outside their ranges are brought in when they are used.
void ClampStoredChoices(EditBoxProperties* p) {
  p->borderStyle = static_cast<uint32_t>(ClampBorderStyle(p->borderStyle));
  p->scrollBars = std::min<uint32_t>(p->scrollBars, 3);
  p->alignment = std::min<uint32_t>(p->alignment, 2);
  p->inputMode = std::min<uint32_t>(p->inputMode, edit_input_mode::kDateTime);
  p->caseConversion = std::min<uint32_t>(p->caseConversion, 2);
  p->adjusterMode = std::min<uint32_t>(p->adjusterMode, 2);
}

DWORD EditStyle(const EditBoxProperties& p) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (p.hideSelection == 0) {
    style |= ES_NOHIDESEL;
  }
  if (p.multiLine != 0) {
    style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (p.scrollBars == 1 || p.scrollBars == 3) {
      style |= ES_AUTOHSCROLL;  // no word wrap
    }
    if (p.scrollBars & 1) {
      style |= WS_HSCROLL;
    }
    if (p.scrollBars & 2) {
      style |= WS_VSCROLL;
    }
  } else {
    style |= ES_AUTOHSCROLL;
  }
  if (p.alignment == 1) {
    style |= ES_CENTER;
  } else if (p.alignment == 2) {
    style |= ES_RIGHT;
  }
  if (p.inputMode == edit_input_mode::kReadOnly) {
    style |= ES_READONLY;
  } else if (p.inputMode == edit_input_mode::kPassword) {
    style |= ES_PASSWORD;
  }
  if (p.caseConversion == 1) {
    style |= ES_LOWERCASE;
  } else if (p.caseConversion == 2) {
    style |= ES_UPPERCASE;
  }
  return style;
}

class EditBoxUnit final : public KindUnit<ControlUnit, kOwnProperties> {
 public:
  EditBoxUnit(const UnitCreateArgs& args, EditBoxProperties properties)
      : KindUnit(std::move(properties), args.windowId, args.unitId, unit_kind::kEditBox,
                 GoneReport::kNone) {
    ClampStoredChoices(&properties_);
  }
  ~EditBoxUnit() override { DestroyControl(); }

  bool CreateNative(const UnitCreateArgs& args);

  bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  HWND Companion() const override { return adjuster_.Get(); }

  // Property access runs on the UI thread, which owns the window.
  bool SetProperty(int32_t index, const UnitValue& value);
  UnitValue GetProperty(int32_t index);
  Bytes Save();
  bool WantsKey(int32_t virtualKey) const {
    return virtualKey == VK_RETURN && properties_.multiLine != 0 &&
           properties_.inputMode != edit_input_mode::kReadOnly;
  }
  void Append(const char* text);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The adjuster goes with the control, whichever end comes first.
  void OnControlGone() override { adjuster_.Reset(); }

  void ReplaceFont();
  void EnsureMinimumHeight();
  void CreateAdjuster(const UnitCreateArgs& args);
  void SetAdjusterRange();
  void FollowWithAdjuster(UINT showFlags = 0);
  void OnAdjusterStep(int32_t step);
  void WriteContent(const std::string& text);
  void SetSelection(int32_t start, int32_t length);
  void ApplyInputMode();
  void OnLostFocus();
  // The adjuster's report; null when lParam was not one of this thread's.
  LRESULT OnNotify(const NMUPDOWN* change);
  EditBoxProperties Current();

  UniqueWindow adjuster_;
  bool suppressChange_ = false;
};

bool EditBoxUnit::CreateNative(const UnitCreateArgs& args) {
  ReplaceBackground(properties_.backgroundColour, ResolveColour(properties_.backgroundColour));
  if (!CreateControl(args, "EDIT", properties_.content.c_str(), EditStyle(properties_))) {
    return false;
  }
  HWND edit = Handle();
  ReplaceFont();
  SendMessageA(edit, EM_LIMITTEXT, properties_.maxLength, 0);
  if (properties_.inputMode == edit_input_mode::kPassword) {
    SendMessageA(edit, EM_SETPASSWORDCHAR, properties_.passwordCharacter & 0xFF, 0);
  }
  if (properties_.multiLine == 0 && properties_.adjusterMode != 0) {
    CreateAdjuster(args);
  }
  SetSelection(properties_.selectionStart, properties_.selectionLength);
  ApplyBorderStyle(edit, static_cast<int32_t>(properties_.borderStyle));
  return true;
}

// The new font is in place before the old one is deleted.
void EditBoxUnit::ReplaceFont() {
  ShowFont(properties_.font, TRUE);
  EnsureMinimumHeight();
}

// A single-line box is at least one Chinese character of its font tall.
void EditBoxUnit::EnsureMinimumHeight() {
  if (properties_.multiLine != 0) {
    return;
  }
  SIZE size{};
  {
    WindowDc dc(Handle());
    ScopedSelection font(dc.Get(), Font());
    GetTextExtentPoint32A(dc.Get(), kSampleCharacter, sizeof kSampleCharacter - 1, &size);
  }
  const int minimum = size.cy + 2 * GetSystemMetrics(SM_CYEDGE);
  RECT rect;
  GetWindowRect(Handle(), &rect);
  if (rect.bottom - rect.top < minimum) {
    SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, minimum,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
}

// The adjuster is created as the edit control's child and then moved beside
// it: an up-down control reports to the window it was created in, so its
// presses come to this unit's own window procedure wherever the edit box is
// placed later.
void EditBoxUnit::CreateAdjuster(const UnitCreateArgs& args) {
  EnsureUpDownClass();
  const DWORD exStyle = HasStaticEdgeAdjuster(properties_.borderStyle) ? WS_EX_STATICEDGE : 0;
  UnitCreateArgs place = args;
  place.style = 0;  // enabled below, never a Tab stop
  place.parent = Handle();
  place.controlId += kAdjusterIdOffset;
  place.left = 0;
  place.top = 0;
  place.width = GetSystemMetrics(SM_CXVSCROLL);
  HWND adjuster =
      CreateUnitWindow(place, exStyle, UPDOWN_CLASSA, nullptr, WS_CHILD | WS_CLIPSIBLINGS);
  if (adjuster == nullptr) {
    properties_.adjusterMode = 0;
    return;
  }
  adjuster_.Reset(adjuster);
  SetParent(adjuster, GetParent(Handle()));
  SetAdjusterRange();
  EnableWindow(adjuster, (args.style & kUnitStyleDisabled) == 0);
  FollowWithAdjuster();
}

// UDM_SETRANGE holds 16-bit limits; a wider range would be cut and could
// even turn the arrows round, so the 32-bit form is used.
void EditBoxUnit::SetAdjusterRange() {
  if (!adjuster_) {
    return;
  }
  const int32_t low = std::min(properties_.adjusterMinimum, properties_.adjusterMaximum);
  const int32_t high = std::max(properties_.adjusterMinimum, properties_.adjusterMaximum);
  SendMessageA(adjuster_.Get(), UDM_SETRANGE32, static_cast<WPARAM>(low), high);
}

// Keeps the adjuster against the edit box's right edge, with its parent and
// its visibility; showFlags are those of a move the edit box just made.
void EditBoxUnit::FollowWithAdjuster(UINT showFlags) {
  if (!adjuster_) {
    return;
  }
  HWND parent = GetParent(Handle());
  if (GetParent(adjuster_.Get()) != parent) {
    SetParent(adjuster_.Get(), parent);
  }
  RECT rect;
  GetWindowRect(Handle(), &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  bool visible = (GetWindowLongPtrA(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
  if (showFlags & SWP_SHOWWINDOW) {
    visible = true;
  } else if (showFlags & SWP_HIDEWINDOW) {
    visible = false;
  }
  SetWindowPos(adjuster_.Get(), Handle(), rect.right, rect.top, GetSystemMetrics(SM_CXVSCROLL),
               rect.bottom - rect.top,
               SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void EditBoxUnit::OnAdjusterStep(int32_t step) {
  if (properties_.adjusterMode == 2) {
    RaiseUnitEvent(WindowId(), UnitId(), event::kAdjusterPressed, {step});
    return;
  }
  const int32_t value = AdjusterStepValue(WindowText(Handle()), step, properties_.adjusterMinimum,
                                          properties_.adjusterMaximum);
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  SetWindowTextA(Handle(), text);
  SendMessageA(Handle(), EM_SETSEL, 0, -1);
  SetFocus(Handle());
}

// The control's own change notification is held back while the text is
// set, then one is sent through the parent's reflection: a multi-line
// control sends none for WM_SETTEXT and a single-line one sends it even for
// the same text, and event 0 must come exactly once either way.
void EditBoxUnit::WriteContent(const std::string& text) {
  properties_.content = text;
  suppressChange_ = true;
  SetWindowTextA(Handle(), text.c_str());
  suppressChange_ = false;
  SendMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), EN_CHANGE),
               reinterpret_cast<LPARAM>(Handle()));
}

// start -1: the caret after the text; length -1: the whole text; other
// negative values count as 0.
void EditBoxUnit::SetSelection(int32_t start, int32_t length) {
  const int32_t textLength = GetWindowTextLengthA(Handle());
  if (start == -1) {
    start = textLength;
    length = 0;
  } else if (length == -1) {
    start = 0;
    length = textLength;
  }
  start = std::max(start, 0);
  length = std::max(length, 0);
  properties_.selectionStart = start;
  properties_.selectionLength = length;
  const int32_t end = ClampInt(static_cast<int64_t>(start) + length, 0, INT32_MAX);
  SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), end);
  SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}

void EditBoxUnit::ApplyInputMode() {
  SendMessageA(Handle(), EM_SETREADONLY, properties_.inputMode == edit_input_mode::kReadOnly, 0);
  const WPARAM passwordCharacter = properties_.inputMode == edit_input_mode::kPassword
                                       ? (properties_.passwordCharacter & 0xFF)
                                       : 0;
  SendMessageA(Handle(), EM_SETPASSWORDCHAR, passwordCharacter, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void EditBoxUnit::OnLostFocus() {
  const std::string text = WindowText(Handle());
  const std::string normalised =
      NormaliseEditText(static_cast<int32_t>(properties_.inputMode), text);
  if (normalised != text) {
    DWORD start = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SetWindowTextA(Handle(), normalised.c_str());
    SendMessageA(Handle(), EM_SETSEL, start, start);
  }
  RaiseFocusEvent(WindowId(), UnitId(), false);
}

bool EditBoxUnit::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  switch (message) {
    case WM_COMMAND:
      *result = 0;
      switch (HIWORD(wParam)) {
        case EN_CHANGE:
          if (!suppressChange_) {
            RaiseUnitEvent(WindowId(), UnitId(), event::kChanged);
          }
          return true;
        case EN_SETFOCUS:
          RaiseFocusEvent(WindowId(), UnitId(), true);
          return true;
        case EN_KILLFOCUS:
          OnLostFocus();
          return true;
        default:
          return false;
      }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {  // read-only and disabled edit controls
      *result = AnswerColours(wParam, properties_.textColour, properties_.backgroundColour);
      return true;
    }
    default:
      return false;
  }
}

LRESULT EditBoxUnit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
      if (!AcceptsTypedCharacter(static_cast<int32_t>(properties_.inputMode),
                                 static_cast<uint32_t>(wParam))) {
        return 0;
      }
      return CallNext(message, wParam, lParam);
    case WM_NOTIFY:
      return OnNotify(StructureOnThisStack<NMUPDOWN>(lParam));
    case WM_VSCROLL:
      // The adjuster's scroll report follows its UDN_DELTAPOS; it must not
      // scroll the text.
      if (adjuster_ && reinterpret_cast<HWND>(lParam) == adjuster_.Get()) {
        return 0;
      }
      return CallNext(message, wParam, lParam);
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = CallNext(message, wParam, lParam);
      FollowWithAdjuster(reinterpret_cast<const WINDOWPOS*>(lParam)->flags);
      return result;
    }
    case WM_ENABLE:
      if (adjuster_) {
        EnableWindow(adjuster_.Get(), static_cast<BOOL>(wParam));
      }
      return CallNext(message, wParam, lParam);
    default:
      return CallNext(message, wParam, lParam);
  }
}

LRESULT EditBoxUnit::OnNotify(const NMUPDOWN* change) {
  if (change != nullptr && adjuster_ && change->hdr.hwndFrom == adjuster_.Get() &&
      change->hdr.code == UDN_DELTAPOS) {
    OnAdjusterStep(change->iDelta >= 0 ? 1 : -1);
    return 1;  // the adjuster's own position is not used
  }
  return 0;
}

// The stored values with what the control holds now.
EditBoxProperties EditBoxUnit::Current() {
  EditBoxProperties current = properties_;
  if (ControlAlive()) {
    current.content = WindowText(Handle());
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    current.selectionStart = static_cast<int32_t>(start);
    current.selectionLength = static_cast<int32_t>(end - start);
  }
  return current;
}

bool EditBoxUnit::SetProperty(int32_t index, const UnitValue& value) {
  EditBoxProperties& p = properties_;
  const int64_t number = value.number;
  switch (index) {
    case kContent:
      WriteContent(TextOf(value));
      return false;
    case kBorderStyle:
      p.borderStyle = static_cast<uint32_t>(ClampBorderStyle(number));
      ApplyBorderStyle(Handle(), static_cast<int32_t>(p.borderStyle));
      if (adjuster_) {
        SetWindowLongPtrA(adjuster_.Get(), GWL_EXSTYLE,
                          HasStaticEdgeAdjuster(p.borderStyle) ? WS_EX_STATICEDGE : 0);
        SetWindowPos(adjuster_.Get(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      }
      return false;
    case kTextColour:
      p.textColour = static_cast<uint32_t>(number);
      InvalidateRect(Handle(), nullptr, TRUE);
      return false;
    case kBackgroundColour:
      p.backgroundColour = static_cast<uint32_t>(number);
      ReplaceBackground(p.backgroundColour, ResolveColour(p.backgroundColour));
      RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
      return false;
    case kFont:
      p.font = value.bytes;
      ReplaceFont();
      return false;
    case kHideSelection:
      return RebuildOnChange(&p.hideSelection, BooleanOf(value));
    case kMaxLength:
      p.maxLength = static_cast<uint32_t>(ClampInt(number, 0, INT32_MAX));
      SendMessageA(Handle(), EM_LIMITTEXT, p.maxLength, 0);
      return false;
    case kMultiLine:
      return RebuildOnChange(&p.multiLine, BooleanOf(value));
    case kScrollBars:
      return RebuildOnChange(&p.scrollBars, static_cast<uint32_t>(ClampInt(number, 0, 3)));
    case kAlignment:
      return RebuildOnChange(&p.alignment, static_cast<uint32_t>(ClampInt(number, 0, 2)));
    case kInputMode:
      p.inputMode = static_cast<uint32_t>(ClampInt(number, 0, edit_input_mode::kDateTime));
      ApplyInputMode();
      return false;
    case kPasswordCharacter: {
      const std::string text = TextOf(value);
      p.passwordCharacter = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
      if (p.inputMode == edit_input_mode::kPassword) {
        ApplyInputMode();
      }
      return false;
    }
    case kCaseConversion:
      return RebuildOnChange(&p.caseConversion, static_cast<uint32_t>(ClampInt(number, 0, 2)));
    case kAdjusterMode:
      return RebuildOnChange(&p.adjusterMode, static_cast<uint32_t>(ClampInt(number, 0, 2)));
    case kAdjusterMinimum:
      p.adjusterMinimum = static_cast<int32_t>(number);
      SetAdjusterRange();
      return false;
    case kAdjusterMaximum:
      p.adjusterMaximum = static_cast<int32_t>(number);
      SetAdjusterRange();
      return false;
    case kSelectionStart:
      SetSelection(ClampInt(number, INT32_MIN, INT32_MAX), Current().selectionLength);
      return false;
    case kSelectionLength: {
      const int32_t length = ClampInt(number, INT32_MIN, INT32_MAX);
      SetSelection(length == -1 ? 0 : Current().selectionStart, length);
      return false;
    }
    case kSelectedText:
      SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(TextOf(value).c_str()));
      return false;
    case kDataSource:
      p.dataSource = TextOf(value);
      return false;
    case kDataColumn:
      p.dataColumn = TextOf(value);
      return false;
    default:
      return false;
  }
}

UnitValue EditBoxUnit::GetProperty(int32_t index) {
  const EditBoxProperties p = Current();
  switch (index) {
    case kPasswordCharacter: {
      const char character = static_cast<char>(p.passwordCharacter & 0xFF);
      return TextValue(character != 0 ? std::string(1, character) : std::string());
    }
    case kSelectedText: {
      // Positions past the text are cut to it.
      const size_t start =
          std::min<size_t>(static_cast<size_t>(p.selectionStart), p.content.size());
      return TextValue(p.content.substr(start, static_cast<size_t>(p.selectionLength)));
    }
    default:
      return StoredValue(kOwnProperties, index, p);
  }
}

Bytes EditBoxUnit::Save() {
  return WritePropertyBlock(Current());
}

// Each append is one insertion at the end; a worker's append runs whole on
// the window's thread, so no other operation can move the caret between its
// steps.
void EditBoxUnit::Append(const char* text) {
  const int length = GetWindowTextLengthA(Handle());
  SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(length), length);
  SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
  SendMessageA(Handle(), EM_REPLACESEL, FALSE,
               reinterpret_cast<LPARAM>(text != nullptr ? text : ""));
}

}  // namespace

constinit const UnitTypeDescriptor kEditBoxDescriptor =
    KindOperations<EditBoxUnit, kOwnProperties>::Descriptor("编辑框", "EditBox", kEditBoxStateFlags,
                                                            kProperties);

void AppendToEditBox(HWND editBox, const char* text) {
  RunOnUiThread([&] {
    if (auto* unit = dynamic_cast<EditBoxUnit*>(UnitObjectOf(editBox))) {
      unit->Append(text);
    }
  });
}

}  // namespace mnemora
