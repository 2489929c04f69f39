#include "window/message_pretranslation.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "runtime/runtime_app.h"
#include "window/event_dispatch.h"
#include "window/unit_events.h"
#include "window/units/unit_interface.h"
#include "window/units/window_kind.h"
#include "window/window_set.h"

namespace mnemora {
namespace {

namespace kind_flag {
inline constexpr uint32_t kFiltersMessages = 0x20;
inline constexpr uint32_t kInnerWindows = 0x200;
inline constexpr uint32_t kInnerWindows2 = 0x200000;
inline constexpr uint32_t kButtonLike = 0x800;
inline constexpr uint32_t kPassesMnemonic = 0x2000 | 0x4000;
// The kinds with a caption (buttons, labels, group boxes, transparent
// labels); an edit box's or list box's text is content, not a caption.
inline constexpr uint32_t kHandlesMnemonics = kButtonLike | kPassesMnemonic;
inline constexpr uint32_t kNeverShown = 0x8000;
inline constexpr uint32_t kNoFocus = 0x10000;
inline constexpr uint32_t kDragsWindow = 0x4000000;
}  // namespace kind_flag

struct UnitAt {
  LiveWindow* window = nullptr;
  size_t index = 0;
};

const UnitTypeDescriptor* KindOf(const UnitObject* unit) {
  return unit != nullptr ? ResolveUnitKind(unit->Kind()) : nullptr;
}

uint32_t KindFlags(const UnitObject* unit) {
  const UnitTypeDescriptor* kind = KindOf(unit);
  return kind != nullptr ? kind->stateFlags : 0;
}

template <typename Operation>
Operation KindOperation(const UnitObject* unit, int32_t number) {
  const UnitTypeDescriptor* kind = KindOf(unit);
  return kind != nullptr && kind->getInterface != nullptr
             ? reinterpret_cast<Operation>(kind->getInterface(number))
             : nullptr;
}

// The loaded window of the set whose native window is this one.
LiveWindow* LoadedWindowWithHandle(HWND handle) {
  for (const auto& window : TheWindowSet().windows) {
    if (handle != nullptr && NativeWindowOf(*window) == handle) {
      return window.get();
    }
  }
  return nullptr;
}

bool UnitHasWindow(const LiveWindow& window, size_t index, HWND handle) {
  const UnitObject* unit = index < window.live.size() ? window.live[index].object.get() : nullptr;
  return unit != nullptr && unit->Handle() == handle;
}

// Most messages come to the window of the unit before them, so the index
// answers without a walk of the units; a guess that no longer holds is
// dropped.
UnitAt FindUnit(LiveWindow* window, HWND handle) {
  if (window == nullptr || handle == nullptr) {
    return UnitAt{};
  }
  auto& index = window->unitAtHandle;
  if (const auto guess = index.find(handle); guess != index.end()) {
    if (UnitHasWindow(*window, guess->second, handle)) {
      return UnitAt{window, guess->second};
    }
    index.erase(guess);
  }
  for (size_t i = 0; i < window->live.size(); ++i) {
    if (UnitHasWindow(*window, i, handle)) {
      index.emplace(handle, i);
      return UnitAt{window, i};
    }
  }
  return UnitAt{};
}

// The unit the message's window stands for: the unit itself, or the unit
// that contains it when its kind counts inner windows as its own.
UnitAt InputTarget(LiveWindow* window, HWND handle) {
  UnitAt at = FindUnit(window, handle);
  if (at.window != nullptr) {
    return at;
  }
  UnitAt outer = FindUnit(window, GetParent(handle));
  if (outer.window != nullptr && (KindFlags(outer.window->live[outer.index].object.get()) &
                                  (kind_flag::kInnerWindows | kind_flag::kInnerWindows2)) != 0) {
    return outer;
  }
  return UnitAt{};
}

// Visible, enabled Tab-stop units by tab order; among equal orders the
// later record first.
std::vector<size_t> FocusOrder(const LiveWindow& window) {
  struct Candidate {
    uint32_t tabOrder;
    size_t index;
  };
  std::vector<Candidate> candidates;
  for (size_t i = 1; i < window.live.size(); ++i) {
    const UnitObject* unit = window.live[i].object.get();
    if (unit == nullptr || !IsWindowVisible(unit->Handle()) || !IsWindowEnabled(unit->Handle()) ||
        (KindFlags(unit) & (kind_flag::kNeverShown | kind_flag::kNoFocus)) != 0) {
      continue;
    }
    const UnitLiveDescription& description = window.units[i];
    if (description.tabStop) {
      candidates.push_back(Candidate{description.tabOrder, i});
    }
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) {
                     return a.tabOrder != b.tabOrder ? a.tabOrder < b.tabOrder : a.index > b.index;
                   });
  std::vector<size_t> order;
  for (const Candidate& c : candidates) {
    order.push_back(c.index);
  }
  return order;
}

// The unit holding the focus (or containing the focused window).
UnitAt FocusedUnit(LiveWindow& window) {
  for (HWND at = GetFocus(); at != nullptr && at != NativeWindowOf(window); at = GetParent(at)) {
    UnitAt unit = FindUnit(&window, at);
    if (unit.window != nullptr) {
      return unit;
    }
  }
  return UnitAt{};
}

void MoveFocus(LiveWindow& window, bool backward) {
  const std::vector<size_t> order = FocusOrder(window);
  if (order.empty()) {
    return;
  }
  const UnitAt focused = FocusedUnit(window);
  const auto at = std::find(order.begin(), order.end(), focused.index);
  size_t next;
  if (focused.window == nullptr || at == order.end()) {
    next = backward ? order.size() - 1 : 0;
  } else {
    const auto position = static_cast<size_t>(at - order.begin());
    next = backward ? (position + order.size() - 1) % order.size() : (position + 1) % order.size();
  }
  SetFocus(window.live[order[next]].object->Handle());
}

bool WantsKey(const UnitAt& focused, int32_t key) {
  if (focused.window == nullptr) {
    return false;
  }
  UnitObject* unit = focused.window->live[focused.index].object.get();
  auto interest = KindOperation<KeyInterestOperation>(unit, unit_operation::kKeyInterest);
  return interest != nullptr && interest(unit, key);
}

bool ActsOnEnter(UnitObject* unit) {
  if (unit == nullptr || !IsWindow(unit->Handle()) || !IsWindowEnabled(unit->Handle()) ||
      (KindFlags(unit) & kind_flag::kButtonLike) == 0) {
    return false;
  }
  auto enter = KindOperation<EnterInterestOperation>(unit, unit_operation::kEnterInterest);
  return enter != nullptr && enter(unit);
}

bool OnEnter(LiveWindow& window) {
  const UnitAt focused = FocusedUnit(window);
  if (WantsKey(focused, VK_RETURN)) {
    return false;
  }
  if (focused.window != nullptr) {
    UnitObject* unit = window.live[focused.index].object.get();
    if (ActsOnEnter(unit)) {
      RaiseEventWithArguments(window.description.windowId, unit->UnitId(), 0, {});
      return true;
    }
  }
  const WindowProperties* properties = WindowPropertiesOf(WindowObjectOf(window));
  if (properties != nullptr && properties->enterMovesFocus != 0) {
    MoveFocus(window, false);
    return true;
  }
  for (size_t i = 1; i < window.live.size(); ++i) {
    UnitObject* unit = window.live[i].object.get();
    if (ActsOnEnter(unit)) {
      RaiseEventWithArguments(window.description.windowId, unit->UnitId(), 0, {});
      return true;
    }
  }
  return false;
}

bool OnEscape(LiveWindow& window) {
  if (WantsKey(FocusedUnit(window), VK_ESCAPE)) {
    return false;
  }
  const WindowProperties* properties = WindowPropertiesOf(WindowObjectOf(window));
  if (properties == nullptr || properties->escCloses == 0) {
    return false;
  }
  PostMessageA(NativeWindowOf(window), WM_CLOSE, 0, 0);
  return true;
}

bool IsMnemonicCharacter(int32_t key) {
  return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
}

// Alt with a letter or digit (the key code, keypad digits folded): the
// first visible, enabled unit of a kind with captions whose caption holds
// "&" and that character takes the focus; labels and group boxes pass it to
// the first unit of the focus order whose tab order is not below theirs.
bool OnMnemonic(LiveWindow& window, int32_t key) {
  if (!IsMnemonicCharacter(key)) {
    return false;
  }
  for (size_t i = 1; i < window.live.size(); ++i) {
    UnitObject* unit = window.live[i].object.get();
    if (unit == nullptr || (KindFlags(unit) & kind_flag::kHandlesMnemonics) == 0 ||
        !IsWindowVisible(unit->Handle()) || !IsWindowEnabled(unit->Handle())) {
      continue;
    }
    char caption[256] = {};
    GetWindowTextA(unit->Handle(), caption, sizeof caption);
    const std::string text = caption;
    bool found = false;
    for (size_t at = text.find('&'); at != std::string::npos && at + 1 < text.size();
         at = text.find('&', at + 1)) {
      if (std::toupper(static_cast<unsigned char>(text[at + 1])) == key) {
        found = true;
        break;
      }
    }
    if (!found) {
      continue;
    }
    if ((KindFlags(unit) & kind_flag::kPassesMnemonic) != 0) {
      const uint32_t ownOrder = window.units[i].tabOrder;
      for (size_t next : FocusOrder(window)) {
        if (window.units[next].tabOrder >= ownOrder) {
          SetFocus(window.live[next].object->Handle());
          break;
        }
      }
    } else {
      SetFocus(unit->Handle());
    }
    return true;
  }
  return false;
}

bool OnKeyDown(LiveWindow& window, const MSG& message) {
  const int32_t state = CurrentKeyState(message.wParam);
  switch (message.wParam) {
    case VK_TAB:
      if ((state & 5) != 0) {
        return false;
      }
      MoveFocus(window, (state & 2) != 0);
      return true;
    case VK_RETURN:
      return OnEnter(window);
    case VK_ESCAPE:
      return OnEscape(window);
    default:
      // The message's own Alt bit: F10 alone is a system key without Alt.
      if (message.message == WM_SYSKEYDOWN && (HIWORD(message.lParam) & KF_ALTDOWN) != 0 &&
          (state & 3) == 0) {
        return OnMnemonic(window, NormalizedKeyCode(message.wParam));
      }
      return false;
  }
}

int32_t MouseKeyState(WPARAM flags) {
  return ((flags & MK_CONTROL) != 0 ? 1 : 0) | ((flags & MK_SHIFT) != 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

// Raises the common event for the message; true when its handler consumed it.
bool RaiseInputEvent(LiveWindow& window, MSG* message) {
  uint32_t unitId;
  if (message->hwnd == NativeWindowOf(window)) {
    unitId = 0;
  } else {
    const UnitAt target = InputTarget(&window, message->hwnd);
    if (target.window == nullptr) {
      return false;
    }
    unitId = window.description.table.ids[target.index];
  }
  const uint32_t windowId = window.description.windowId;
  const auto x = static_cast<int32_t>(LOWORD(message->lParam));
  const auto y = static_cast<int32_t>(HIWORD(message->lParam));
  HandlerOutcome outcome;
  switch (message->message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE: {
      using namespace common_event;
      const int32_t event = message->message == WM_LBUTTONDOWN     ? kLeftButtonDown
                            : message->message == WM_LBUTTONUP     ? kLeftButtonUp
                            : message->message == WM_LBUTTONDBLCLK ? kLeftDoubleClick
                            : message->message == WM_RBUTTONDOWN   ? kRightButtonDown
                            : message->message == WM_RBUTTONUP     ? kRightButtonUp
                                                                   : kMouseMove;
      outcome =
          RaiseEventWithArguments(windowId, unitId, event, {x, y, MouseKeyState(message->wParam)});
      break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const bool down = message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN;
      outcome = RaiseEventWithArguments(
          windowId, unitId, down ? common_event::kKeyDown : common_event::kKeyUp,
          {NormalizedKeyCode(message->wParam), CurrentKeyState(message->wParam)});
      break;
    }
    case WM_CHAR:
      outcome = RaiseEventWithArguments(windowId, unitId, common_event::kCharacter,
                                        {static_cast<int32_t>(message->wParam)});
      if (outcome.returned && static_cast<int32_t>(outcome.value) != 0) {
        message->wParam = static_cast<WPARAM>(static_cast<uint32_t>(outcome.value));
        return false;
      }
      break;
    case WM_MOUSEWHEEL:
      outcome = RaiseEventWithArguments(windowId, unitId, common_event::kMouseWheel,
                                        {GET_WHEEL_DELTA_WPARAM(message->wParam) / WHEEL_DELTA,
                                         MouseKeyState(GET_KEYSTATE_WPARAM(message->wParam))});
      break;
    default:
      return false;
  }
  return outcome.returned && static_cast<int32_t>(outcome.value) == 0;
}

bool IsKeyboardMessage(UINT message) {
  return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

bool FilterThroughUnits(LiveWindow& window, MSG* message) {
  for (size_t i = 1; i < window.live.size(); ++i) {
    UnitObject* unit = window.live[i].object.get();
    if ((KindFlags(unit) & kind_flag::kFiltersMessages) == 0) {
      continue;
    }
    auto filter = KindOperation<MessageFilterOperation>(unit, unit_operation::kMessageFilter);
    if (filter != nullptr && filter(unit, message)) {
      return true;
    }
  }
  return false;
}

bool StartsDrag(LiveWindow& window, const MSG& message) {
  const WindowProperties* properties = WindowPropertiesOf(WindowObjectOf(window));
  if (message.message != WM_LBUTTONDOWN || properties == nullptr || properties->dragAnywhere == 0) {
    return false;
  }
  HWND handle = NativeWindowOf(window);
  const UnitAt unit = FindUnit(&window, message.hwnd);
  const bool drags = message.hwnd == handle ||
                     (unit.window != nullptr && (KindFlags(window.live[unit.index].object.get()) &
                                                 kind_flag::kDragsWindow) != 0);
  if (!drags) {
    return false;
  }
  ReleaseCapture();
  SendMessageA(handle, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  return true;
}

}  // namespace

int32_t NormalizedKeyCode(WPARAM virtualKey) {
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
    return static_cast<int32_t>('0' + (virtualKey - VK_NUMPAD0));
  }
  switch (virtualKey) {
    case VK_SUBTRACT:
      return 189;
    case VK_DECIMAL:
      return 190;
    case VK_DIVIDE:
      return 191;
    default:
      return static_cast<int32_t>(virtualKey);
  }
}

int32_t CurrentKeyState(WPARAM virtualKey) {
  int32_t state = 0;
  if (virtualKey != VK_CONTROL && GetKeyState(VK_CONTROL) < 0) {
    state |= 1;
  }
  if (virtualKey != VK_SHIFT && GetKeyState(VK_SHIFT) < 0) {
    state |= 2;
  }
  if (virtualKey != VK_MENU && GetKeyState(VK_MENU) < 0) {
    state |= 4;
  }
  return state;
}

bool PreTranslateWindowMessage(MSG* message) {
  if (message->hwnd == nullptr) {
    return false;
  }
  if (IsKeyboardMessage(message->message) && !IsWindowEnabled(message->hwnd)) {
    return false;
  }
  LiveWindow* window = LoadedWindowWithHandle(GetAncestor(message->hwnd, GA_ROOT));
  if (window == nullptr) {
    return false;
  }
  if (FilterThroughUnits(*window, message) || StartsDrag(*window, *message)) {
    return true;
  }
  if ((message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN) &&
      OnKeyDown(*window, *message)) {
    return true;
  }
  return RaiseInputEvent(*window, message);
}

}  // namespace mnemora
