#include "window/units/window_kind.h"

#include <string>
#include <utility>
#include <vector>

#include "runtime/forged_end.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_service.h"
#include "runtime/win_handles.h"
#include "window/event_dispatch.h"
#include "window/picture_decoding.h"
#include "window/unit_events.h"
#include "window/unit_support.h"
#include "window/units/caption_kind_support.h"
#include "window/units/kind_operations.h"
#include "window/units/own_property.h"
#include "window/units/unit_interface.h"
#include "window/units/window_block.h"
#include "window/window_loader.h"
#include "window/window_set.h"

namespace mnemora {
namespace {

constexpr char kDefaultWindowClass[] = "KXWindow";

namespace window_event {
inline constexpr int32_t kClosing = 1;
inline constexpr int32_t kDestroying = 2;
inline constexpr int32_t kMoved = 3;
inline constexpr int32_t kResized = 4;
inline constexpr int32_t kActivated = 5;
inline constexpr int32_t kDeactivated = 6;
inline constexpr int32_t kFirstActivated = 8;
inline constexpr int32_t kShown = 10;
inline constexpr int32_t kHidden = 11;
inline constexpr int32_t kCloseAsked = 12;
}  // namespace window_event

class WindowObject : public UnitObject {
 public:
  WindowObject(uint32_t windowId, uint32_t unitId, WindowProperties properties)
      : UnitObject(windowId, unitId, kWindowKind), properties(std::move(properties)) {}

  void AttachTo(HWND handle) { Attach(handle); }

  WindowProperties properties;
  UniqueIcon ownLargeIcon;
  UniqueIcon ownSmallIcon;
  bool reuse = false;
  bool modal = false;
  std::vector<std::pair<HWND, bool>> disabledWindows;
  bool loadingComplete = false;
  bool firstActivationDone = false;
  bool shownAfterLoad = false;
  bool closedByProgram = false;
  HWND lastFocus = nullptr;
};

WindowObject* AsWindow(UnitObject* unit) {
  return unit != nullptr && unit->Kind() == kWindowKind ? static_cast<WindowObject*>(unit)
                                                        : nullptr;
}

HandlerOutcome Raise(const WindowObject& window, int32_t event) {
  return RaiseEventWithArguments(window.WindowId(), 0, event, {});
}

// A handler that returned the value 0 keeps the window open.
bool KeptOpen(const HandlerOutcome& outcome) {
  return outcome.returned && static_cast<uint32_t>(outcome.value) == 0;
}

bool IsDescendant(HWND window, HWND child) {
  return child != nullptr && (child == window || IsChild(window, child));
}

void RestoreDisabledWindows(WindowObject& window) {
  for (const auto& [handle, wasEnabled] : window.disabledWindows) {
    if (IsWindow(handle)) {
      EnableWindow(handle, wasEnabled);
    }
  }
  window.disabledWindows.clear();
  window.modal = false;
}

// The unit of the focus order with the lowest tab order: visible, enabled
// units that take part in Tab order; the first found wins a tie.
HWND FirstFocusUnit(const WindowObject& window) {
  const LiveWindow* live = FindLiveWindow(window.WindowId());
  if (live == nullptr) {
    return nullptr;
  }
  HWND best = nullptr;
  uint32_t bestOrder = 0;
  for (size_t i = 1; i < live->live.size(); ++i) {
    const UnitObject* unit = live->live[i].object.get();
    if (unit == nullptr || !IsWindowVisible(unit->Handle()) || !IsWindowEnabled(unit->Handle())) {
      continue;
    }
    const UnitLiveDescription& description = live->units[i];
    if (!description.tabStop) {
      continue;
    }
    const UnitTypeDescriptor* kind = ResolveUnitKind(description.kind);
    if (kind != nullptr && (kind->stateFlags & 0x10000) != 0) {
      continue;
    }
    if (best == nullptr || description.tabOrder < bestOrder) {
      best = unit->Handle();
      bestOrder = description.tabOrder;
    }
  }
  return best;
}

void OnClose(WindowObject& window) {
  const bool asks =
      !window.reuse && (GetWindowLongPtrA(window.Handle(), GWL_STYLE) & WS_CHILD) == 0;
  if (KeptOpen(Raise(window, window_event::kCloseAsked)) && asks) {
    return;
  }
  if (KeptOpen(Raise(window, window_event::kClosing)) && asks) {
    return;
  }
  DestroyWindowUnitNow(&window);
}

void OnActivate(WindowObject& window, WPARAM wParam) {
  HWND handle = window.Handle();
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (IsDescendant(handle, focus) && focus != handle) {
      window.lastFocus = focus;
    }
    Raise(window, window_event::kDeactivated);
    return;
  }
  // The focus stays where the program put it; otherwise it returns to the
  // unit that had it, or goes to the first unit of the focus order.
  HWND focus = GetFocus();
  if (!IsDescendant(handle, focus) || focus == handle) {
    HWND target = window.lastFocus != nullptr && IsWindow(window.lastFocus)
                      ? window.lastFocus
                      : FirstFocusUnit(window);
    SetFocus(target != nullptr ? target : handle);
  }
  Raise(window, window_event::kActivated);
  if (!window.firstActivationDone) {
    window.firstActivationDone = true;
    Raise(window, window_event::kFirstActivated);
  }
}

bool OnSetCursor(const WindowObject& window, HWND over) {
  const LiveWindow* live = FindLiveWindow(window.WindowId());
  if (live == nullptr) {
    return false;
  }
  for (size_t i = 0; i < live->live.size(); ++i) {
    const UnitObject* unit = live->live[i].object.get();
    if (unit != nullptr && unit->Handle() == over && live->live[i].cursor != nullptr) {
      SetCursor(live->live[i].cursor);
      return true;
    }
  }
  return false;
}

void PaintBackground(const WindowObject& window, HDC dc) {
  RECT area;
  GetClientRect(window.Handle(), &area);
  UniqueBrush brush(CreateSolidBrush(ResolveColour(window.properties.backgroundColour)));
  FillRect(dc, &area, brush.Get());
}

void OnDestroy(WindowObject& window) {
  if (const LiveWindow* live = FindLiveWindow(window.WindowId())) {
    BeforeWindowDestroyed(*live);
  }
  Raise(window, window_event::kDestroying);
}

void OnNcDestroy(WindowObject& window) {
  LiveWindow* live = FindLiveWindow(window.WindowId());
  if (live == nullptr) {
    return;
  }
  // The window object is deleted here: nothing may touch it afterwards.
  AfterWindowDestroyed(*live);
  ReleaseUnitObjects(*live);
}

LRESULT CALLBACK WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsForgedEnd(handle, message)) {
    return 0;
  }
  LRESULT reflected = 0;
  if (ReflectToChild(message, wParam, lParam, &reflected)) {
    return reflected;
  }
  WindowObject* window = AsWindow(UnitObjectOf(handle));
  if (window == nullptr) {
    return DefWindowProcA(handle, message, wParam, lParam);
  }
  switch (message) {
    case WM_CLOSE:
      OnClose(*window);
      return 0;
    case kProgramCloseMessage:
      DestroyWindowUnitNow(window);
      return 0;
    case WM_DESTROY:
      OnDestroy(*window);
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy(*window);
      return DefWindowProcA(handle, message, wParam, lParam);
    case WM_MOVE:
      Raise(*window, window_event::kMoved);
      return 0;
    case WM_SIZE:
      Raise(*window, window_event::kResized);
      return 0;
    case WM_ACTIVATE:
      OnActivate(*window, wParam);
      return 0;
    case WM_SHOWWINDOW:
      Raise(*window, wParam != 0 ? window_event::kShown : window_event::kHidden);
      return DefWindowProcA(handle, message, wParam, lParam);
    case WM_SETFOCUS:
      RaiseEventWithArguments(window->WindowId(), 0, common_event::kGotFocus, {});
      return 0;
    case WM_KILLFOCUS:
      RaiseEventWithArguments(window->WindowId(), 0, common_event::kLostFocus, {});
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(*window, reinterpret_cast<HWND>(wParam))) {
        return TRUE;
      }
      return DefWindowProcA(handle, message, wParam, lParam);
    case WM_ERASEBKGND:
      PaintBackground(*window, reinterpret_cast<HDC>(wParam));
      return 1;
    default:
      return DefWindowProcA(handle, message, wParam, lParam);
  }
}

struct WindowStyles {
  DWORD style;
  DWORD exStyle;
};

WindowStyles StylesFor(const WindowProperties& p, bool child, uint32_t unitStyle) {
  DWORD style = WS_CLIPCHILDREN;
  DWORD exStyle = 0;
  if (p.borderStyle != 0) {
    if (!p.title.empty() || p.controlBox != 0) {
      style |= WS_CAPTION;
      if (p.controlBox != 0) {
        style |= WS_SYSMENU;
      }
    }
    if (!child) {
      style |= WS_DLGFRAME;
    }
  }
  if (p.borderStyle == 1 || p.borderStyle == 3 || p.borderStyle == 5) {
    style |= WS_THICKFRAME;
  }
  if (p.borderStyle == 3 || p.borderStyle == 4) {
    exStyle |= WS_EX_TOOLWINDOW;
  }
  if (p.borderStyle == 5 || p.borderStyle == 6) {
    exStyle |= WS_EX_CLIENTEDGE;
  }
  if (p.maximizeButton != 0) {
    style |= WS_MAXIMIZEBOX;
  }
  if (p.minimizeButton != 0) {
    style |= WS_MINIMIZEBOX;
  }
  if ((unitStyle & kUnitStyleDisabled) != 0) {
    style |= WS_DISABLED;
  }
  return WindowStyles{style, exStyle};
}

void SetIcons(WindowObject& window) {
  window.ownLargeIcon = MakePictureIcon(window.properties.icon, 32);
  window.ownSmallIcon = MakePictureIcon(window.properties.icon, 16);
  HICON large = window.ownLargeIcon.Get();
  HICON small = window.ownSmallIcon.Get();
  if (large == nullptr) {
    HICON defaults[2] = {nullptr, nullptr};
    RuntimeService(runtime_service::kDefaultIcons, reinterpret_cast<intptr_t>(defaults), 0);
    large = defaults[0];
    small = defaults[1];
  }
  SendMessageA(window.Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  SendMessageA(window.Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

UnitObject* CreateWindowUnit(const UnitCreateArgs& args) {
  WindowProperties properties;
  if (!ReadNewUnitBlock(args.propertyBlock, &properties)) {
    return nullptr;
  }
  const bool child = false;
  WindowStyles styles = StylesFor(properties, child, args.style);
  int left = args.left;
  int top = args.top;
  if (properties.startPosition == 1) {
    left = (GetSystemMetrics(SM_CXSCREEN) - args.width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - args.height) / 2;
  } else if (properties.startPosition == 2) {
    styles.style |= WS_MINIMIZE;
  } else if (properties.startPosition == 3 && (styles.style & WS_THICKFRAME) != 0) {
    styles.style |= WS_MAXIMIZE;
  }
  HWND owner = args.parent;
  if (owner != nullptr) {
    styles.style |= WS_POPUP;
  } else if (TheWindowSet().loadingModal || properties.showInTaskbar == 0) {
    owner = TheRuntimeApp().hideOwner;
  }
  const std::string className =
      properties.className.empty() ? std::string(kDefaultWindowClass) : properties.className;
  if (!EnsureUnitClass(className.c_str(), WindowProc, StockBrush(NULL_BRUSH))) {
    return nullptr;
  }
  auto window = std::make_unique<WindowObject>(args.windowId, args.unitId, properties);
  HWND handle =
      CreateWatchedWindow(styles.exStyle, className.c_str(), properties.title.c_str(), styles.style,
                          left, top, args.width, args.height, owner, args.menu);
  if (handle == nullptr) {
    return nullptr;
  }
  window->AttachTo(handle);
  RECT outer;
  GetWindowRect(handle, &outer);
  if (outer.right - outer.left != args.width || outer.bottom - outer.top != args.height) {
    MoveWindow(handle, left, top, args.width, args.height, FALSE);
  }
  SetIcons(*window);
  if (properties.shape == 1) {
    SetWindowRgn(handle, CreateEllipticRgn(0, 0, args.width, args.height), FALSE);
  }
  SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  if (properties.alwaysOnTop != 0) {
    SetWindowPos(handle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (properties.movable == 0) {
    DeleteMenu(GetSystemMenu(handle, FALSE), SC_MOVE, MF_BYCOMMAND);
  }
  return window.release();
}

// Property indexes (number minus 8) in the order of the property table.
enum WindowProperty : int32_t {
  kTitle,
  kBorderStyle,
  kBackgroundColour,
  kBackgroundPicture,
  kPictureLayout,
  kMusic,
  kMusicPlayMode,
  kControlBox,
  kMaximizeButton,
  kMinimizeButton,
  kStartPosition,
  kMovable,
  kIcon,
  kEnterMovesFocus,
  kEscCloses,
  kF1OpensHelp,
  kHelpFile,
  kHelpContext,
  kShowInTaskbar,
  kDragAnywhere,
  kShape,
  kAlwaysOnTop,
  kKeepTitleActive,
  kClassName,
  kWindowPropertyCount,
};

constexpr OwnProperty<WindowProperties> kOwnProperties[] = {
    {NamedProperty("Title", property_type::kText), &WindowProperties::title},
    {NamedProperty("BorderStyle", property_type::kChoice), &WindowProperties::borderStyle},
    {NamedProperty("BackColor", property_type::kColour), &WindowProperties::backgroundColour},
    {NamedProperty("Picture", property_type::kPicture), &WindowProperties::backgroundPicture},
    {NamedProperty("PictureLayout", property_type::kChoice), &WindowProperties::pictureLayout},
    {NamedProperty("Music", property_type::kSound), &WindowProperties::music},
    {NamedProperty("MusicPlayMode", property_type::kChoice), &WindowProperties::musicPlayMode},
    {NamedProperty("ControlBox", property_type::kBoolean), &WindowProperties::controlBox},
    {NamedProperty("MaxButton", property_type::kBoolean), &WindowProperties::maximizeButton},
    {NamedProperty("MinButton", property_type::kBoolean), &WindowProperties::minimizeButton},
    {NamedProperty("StartPosition", property_type::kChoice), &WindowProperties::startPosition},
    {NamedProperty("Movable", property_type::kBoolean), &WindowProperties::movable},
    {NamedProperty("Icon", property_type::kIcon), &WindowProperties::icon},
    {NamedProperty("EnterMovesFocus", property_type::kBoolean), &WindowProperties::enterMovesFocus},
    {NamedProperty("EscCloses", property_type::kBoolean), &WindowProperties::escCloses},
    {NamedProperty("F1Help", property_type::kBoolean), &WindowProperties::f1OpensHelp},
    {NamedProperty("HelpFile", property_type::kText), &WindowProperties::helpFile},
    {NamedProperty("HelpContext", property_type::kInteger), &WindowProperties::helpContext},
    {NamedProperty("ShowInTaskbar", property_type::kBoolean), &WindowProperties::showInTaskbar},
    {NamedProperty("DragAnywhere", property_type::kBoolean), &WindowProperties::dragAnywhere},
    {NamedProperty("Shape", property_type::kChoice), &WindowProperties::shape},
    {NamedProperty("AlwaysOnTop", property_type::kBoolean), &WindowProperties::alwaysOnTop},
    {NamedProperty("KeepTitleActive", property_type::kBoolean), &WindowProperties::keepTitleActive},
    {NamedProperty("ClassName", property_type::kText), &WindowProperties::className},
};
static_assert(std::size(kOwnProperties) == kWindowPropertyCount, "one entry per property");
static_assert(FieldsSuitTypes(kOwnProperties),
              "each stored property's field holds its type's values");

bool SetWindowProperty(UnitObject* unit, int32_t index, const UnitValue& value) {
  WindowObject* window = AsWindow(unit);
  if (window == nullptr) {
    return false;
  }
  WindowProperties& p = window->properties;
  StoreValue(kOwnProperties, index, p, value);
  HWND handle = window->Handle();
  switch (index) {
    case kTitle:
      SetWindowTextA(handle, p.title.c_str());
      break;
    case kBackgroundColour:
      InvalidateRect(handle, nullptr, TRUE);
      break;
    case kIcon:
      SetIcons(*window);
      break;
    case kAlwaysOnTop:
      SetWindowPos(handle, p.alwaysOnTop != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
    default:
      break;
  }
  return false;
}

UnitValue GetWindowProperty(UnitObject* unit, int32_t index) {
  WindowObject* window = AsWindow(unit);
  if (window == nullptr) {
    return UnitValue();
  }
  if (index == kTitle) {
    const int length = GetWindowTextLengthA(window->Handle());
    std::string title(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window->Handle(), title.data(), length + 1);
    title.resize(title.find('\0'));
    return TextValue(title);
  }
  return StoredValue(kOwnProperties, index, window->properties);
}

Bytes SaveWindow(UnitObject* unit) {
  WindowObject* window = AsWindow(unit);
  return window != nullptr ? WritePropertyBlock(window->properties) : Bytes();
}

void* GetWindowKindInterface(int32_t operation) {
  static constexpr UnitKindOperations kOperations = {
      .create = CreateWindowUnit,
      .setProperty = SetWindowProperty,
      .save = SaveWindow,
      .getProperty = GetWindowProperty,
  };
  return OperationByNumber(kOperations, operation);
}

constexpr auto kProperties = WithCommonProperties(kOwnProperties);
static_assert(kProperties.size() == 32, "32 properties in all");

}  // namespace

constinit const UnitTypeDescriptor kWindowKindDescriptor =
    MakeKindDescriptor("窗口", "window", 0x800000D0, kProperties, GetWindowKindInterface);

void SetWindowReuse(UnitObject* unit, bool reuse) {
  if (WindowObject* window = AsWindow(unit)) {
    window->reuse = reuse;
  }
}

void ShowWindowAfterLoad(UnitObject* unit) {
  WindowObject* window = AsWindow(unit);
  if (window == nullptr) {
    return;
  }
  window->shownAfterLoad = true;
  int show = SW_SHOW;
  if (!window->reuse) {
    show = window->properties.startPosition == 3   ? SW_SHOWMAXIMIZED
           : window->properties.startPosition == 2 ? SW_SHOWMINIMIZED
                                                   : SW_SHOW;
  }
  ShowWindow(window->Handle(), show);
  HWND focus = GetFocus();
  if (IsDescendant(window->Handle(), focus)) {
    const UnitObject* focused = UnitObjectOf(focus);
    const uint32_t unitId = focus == window->Handle() || focused == nullptr ? 0 : focused->UnitId();
    RaiseEventWithArguments(window->WindowId(), unitId, common_event::kGotFocus, {});
  }
}

void ShowWindowUnit(UnitObject* unit) {
  WindowObject* window = AsWindow(unit);
  if (window == nullptr) {
    return;
  }
  if (!window->shownAfterLoad) {
    ShowWindowAfterLoad(unit);
  } else {
    ShowWindow(window->Handle(), SW_SHOW);
  }
}

void MakeWindowModal(UnitObject* unit) {
  WindowObject* window = AsWindow(unit);
  if (window == nullptr) {
    return;
  }
  window->modal = true;
  for (const auto& other : TheWindowSet().windows) {
    HWND handle = NativeWindowOf(*other);
    if (handle == nullptr || handle == window->Handle() || !IsWindow(handle) ||
        GetParent(handle) != nullptr) {
      continue;
    }
    window->disabledWindows.emplace_back(handle, IsWindowEnabled(handle) != FALSE);
    EnableWindow(handle, FALSE);
  }
}

void MarkWindowLoaded(UnitObject* unit) {
  if (WindowObject* window = AsWindow(unit)) {
    window->loadingComplete = true;
  }
}

void MarkClosedByProgram(UnitObject* unit) {
  if (WindowObject* window = AsWindow(unit)) {
    window->closedByProgram = true;
  }
}

bool WindowCloseRequested(UnitObject* unit) {
  const WindowObject* window = AsWindow(unit);
  return window != nullptr && window->closedByProgram;
}

const WindowProperties* WindowPropertiesOf(UnitObject* unit) {
  const WindowObject* window = AsWindow(unit);
  return window != nullptr ? &window->properties : nullptr;
}

void DestroyWindowUnitNow(UnitObject* unit) {
  WindowObject* window = AsWindow(unit);
  if (window == nullptr) {
    return;
  }
  if (window->modal) {
    RestoreDisabledWindows(*window);
  }
  EndWindow(window->Handle());
}

}  // namespace mnemora
