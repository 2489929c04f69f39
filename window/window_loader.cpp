#include "window/window_loader.h"

#include <vector>

#include "runtime/forged_end.h"
#include "runtime/runtime_app.h"
#include "runtime/ui_thread_channel.h"
#include "runtime/runtime_service.h"
#include "window/event_dispatch.h"
#include "window/unit_cursors.h"
#include "window/units/unit_interface.h"
#include "window/units/window_kind.h"

namespace mnemora {
namespace {

bool AnyOtherWindowLoaded(const LiveWindow& window) {
  for (const auto& other : TheWindowSet().windows) {
    if (other.get() != &window && IsWindowLoaded(*other)) {
      return true;
    }
  }
  return false;
}

constexpr uint32_t kFlagVisible = 1;
constexpr uint32_t kFlagDisabled = 2;
constexpr uint32_t kFlagTabStop = 4;
constexpr uint32_t kNeverShown = 0x8000;
constexpr int kFirstControlId = 100;
constexpr int kControlIdStep = 10;

struct RecordFacts {
  uint32_t kind = 0;
  uint32_t parent = 0;
  uint32_t flags = 0;
  RECT rect{};
  Bytes block;
  Bytes pointer;
};

RecordFacts FactsOf(const Bytes& record) {
  RecordFacts facts;
  UnitRecordFields fields;
  if (ParseUnitRecord(record, &fields)) {
    facts.kind = fields.kind;
    facts.parent = fields.parent;
    facts.flags = fields.stateFlags;
    facts.rect =
        RECT{fields.left, fields.top, fields.left + fields.width, fields.top + fields.height};
    facts.block = std::move(fields.propertyBlock);
    facts.pointer = std::move(fields.mousePointer);
  }
  return facts;
}

uint32_t StyleBits(uint32_t flags) {
  return ((flags & kFlagDisabled) != 0 ? kUnitStyleDisabled : 0) |
         ((flags & kFlagTabStop) != 0 ? kUnitStyleTabStop : 0);
}

bool KindNeverShown(uint32_t kind) {
  const UnitTypeDescriptor* descriptor = ResolveUnitKind(kind);
  return descriptor != nullptr && (descriptor->stateFlags & kNeverShown) != 0;
}

HWND HandleOf(const LiveWindow& window, size_t index) {
  const UnitObject* object = window.live[index].object.get();
  return object != nullptr ? object->Handle() : nullptr;
}

// The native window a unit's parent id names: a unit, or the window.
HWND ParentHandle(const LiveWindow& window, uint32_t parentId) {
  const int index = parentId == 0 ? -1 : window.description.table.IndexOf(parentId);
  return index > 0 ? HandleOf(window, static_cast<size_t>(index)) : HandleOf(window, 0);
}

// facts: each record's, read once when the load began.
void Reparent(const LiveWindow& window, const std::vector<RecordFacts>& facts) {
  for (size_t i = 1; i < facts.size(); ++i) {
    UnitObject* unit = window.live[i].object.get();
    if (unit == nullptr) {
      continue;
    }
    HWND parent = ParentHandle(window, facts[i].parent);
    SetParent(unit->Handle(), parent);
    if (HWND companion = unit->Companion()) {
      SetParent(companion, parent);
    }
  }
}

// Among siblings the first record is in front.
void Stack(const LiveWindow& window, const std::vector<RecordFacts>& facts) {
  for (size_t i = 1; i < facts.size(); ++i) {
    HWND handle = HandleOf(window, i);
    if (handle == nullptr) {
      continue;
    }
    HWND after = HWND_TOP;
    for (size_t j = i - 1; j >= 1; --j) {
      if (facts[j].parent == facts[i].parent && HandleOf(window, j) != nullptr) {
        after = HandleOf(window, j);
        break;
      }
    }
    SetWindowPos(handle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void LoadPointers(LiveWindow& window, const std::vector<RecordFacts>& facts) {
  for (size_t i = 0; i < facts.size(); ++i) {
    RecordLive& live = window.live[i];
    if (live.object != nullptr) {
      live.cursor = LoadUnitPointer(facts[i].pointer, &live.ownsCursor);
    }
  }
}

void SendToUnits(const LiveWindow& window, UINT message) {
  for (size_t i = window.live.size(); i-- > 0;) {
    if (HWND handle = HandleOf(window, i)) {
      SendMessageA(handle, message, 0, 0);
    }
  }
}

void DestroyPointer(RecordLive& live) {
  if (live.ownsCursor && live.cursor != nullptr) {
    DestroyCursor(live.cursor);
  }
  live.cursor = nullptr;
  live.ownsCursor = false;
}

bool StillLoaded(const LiveWindow& window, HWND handle) {
  return IsWindow(handle) && NativeWindowOf(window) == handle;
}

void FailLoad(LiveWindow& window) {
  RuntimeService(runtime_service::kAllowEvents, 0, 0);
  HWND handle = NativeWindowOf(window);
  if (handle != nullptr && IsWindow(handle)) {
    EndWindow(handle);
  }
}

}  // namespace

bool CreateRecordUnit(LiveWindow& window, size_t index, const Bytes& block, uint32_t style,
                      HWND parent, int controlId, const RECT& rect) {
  const uint32_t kind = ReadRecordDword(window.description.table.records[index], 0);
  const UnitTypeDescriptor* descriptor = ResolveUnitKind(kind);
  if (descriptor == nullptr || descriptor->getInterface == nullptr) {
    return false;
  }
  auto create =
      reinterpret_cast<CreateUnitOperation>(descriptor->getInterface(unit_operation::kCreate));
  if (create == nullptr) {
    return false;
  }
  const UnitCreateArgs args{&block,
                            style,
                            parent,
                            controlId,
                            nullptr,
                            rect.left,
                            rect.top,
                            rect.right - rect.left,
                            rect.bottom - rect.top,
                            window.description.windowId,
                            window.description.table.ids[index]};
  UnitObject* object = create(args);
  if (object == nullptr) {
    return false;
  }
  window.live[index].object.reset(object);
  return true;
}

bool LoadWindowDescription(LiveWindow& window, bool reuse, bool modal, HWND owner) {
  if (!reuse && IsWindowLoaded(window)) {
    UnitObject* existing = WindowObjectOf(window);
    if (!WindowCloseRequested(existing)) {
      HWND handle = existing->Handle();
      if (IsIconic(handle)) {
        ShowWindow(handle, SW_RESTORE);
      } else {
        SetActiveWindow(handle);
      }
      return true;
    }
    DestroyWindowUnitNow(existing);
  }
  if (modal) {
    owner = nullptr;
  } else if (owner != nullptr && !IsWindow(owner)) {
    return false;
  }
  // A description without its own record has no window to create.
  if (window.description.table.Count() == 0) {
    return false;
  }
  RuntimeService(runtime_service::kSuppressEvents, 0, 0);
  window.snapshot = window.description.table;
  window.hasSnapshot = true;
  window.live.clear();
  window.live.resize(window.description.table.Count());

  const UnitTable& table = window.description.table;
  std::vector<bool> visible(table.Count(), false);
  WindowSetState& set = TheWindowSet();
  // Each record is read once here; the steps below work from what was read.
  std::vector<RecordFacts> facts(table.Count());
  facts[0] = FactsOf(table.records[0]);
  const RecordFacts& own = facts[0];
  set.loadingModal = modal;
  const bool windowCreated =
      CreateRecordUnit(window, 0, own.block, StyleBits(own.flags), owner, 0, own.rect);
  set.loadingModal = false;
  if (!windowCreated) {
    FailLoad(window);
    return false;
  }
  SetWindowReuse(WindowObjectOf(window), reuse);
  visible[0] = reuse || (own.flags & kFlagVisible) != 0;
  int controlId = kFirstControlId;
  for (size_t n = table.Count(); n-- > 1;) {
    if (IsMenuItemId(table.ids[n])) {
      continue;
    }
    facts[n] = FactsOf(table.records[n]);
    const RecordFacts& unit = facts[n];
    if (!CreateRecordUnit(window, n, unit.block, StyleBits(unit.flags), NativeWindowOf(window),
                          controlId, unit.rect)) {
      FailLoad(window);
      return false;
    }
    controlId += kControlIdStep;
    visible[n] = !KindNeverShown(unit.kind) && (unit.flags & kFlagVisible) != 0;
  }
  Reparent(window, facts);
  Stack(window, facts);
  LoadPointers(window, facts);
  SendToUnits(window, kUnitsPlacedMessage);
  HWND handle = NativeWindowOf(window);
  SendMessageA(handle, kLayoutMessage, 0, 0);
  for (size_t i = 1; i < table.Count(); ++i) {
    if (HWND unit = HandleOf(window, i)) {
      ShowWindow(unit, visible[i] ? SW_SHOWNA : SW_HIDE);
    }
  }
  RuntimeService(runtime_service::kAllowEvents, 0, 0);

  const uint32_t windowId = window.description.windowId;
  for (int32_t event : {0, 3, 4}) {
    RaiseEventWithArguments(windowId, 0, event, {});
    if (!StillLoaded(window, handle)) {
      return true;
    }
  }
  if (visible[0]) {
    ShowWindowAfterLoad(WindowObjectOf(window));
  }
  if (modal) {
    MakeWindowModal(WindowObjectOf(window));
  }
  HWND focus = GetFocus();
  SendToUnits(window, kWindowShownMessage);
  if (GetFocus() != focus && focus != nullptr && IsWindow(focus)) {
    SetFocus(focus);
  }
  MarkWindowLoaded(WindowObjectOf(window));
  OpenUiThreadChannel();
  return true;
}

void BeforeWindowDestroyed(const LiveWindow& window) {
  if (!AnyOtherWindowLoaded(window)) {
    CloseUiThreadChannel();
  }
}

void AfterWindowDestroyed(LiveWindow& window) {
  for (RecordLive& live : window.live) {
    DestroyPointer(live);
  }
  RestoreSnapshot(window);
  if (!AnyOtherWindowLoaded(window) && TheRuntimeApp().mainLoopStarted) {
    PostQuitMessage(0);
  }
}

void ReleaseUnitObjects(LiveWindow& window) {
  window.unitAtHandle.clear();
  for (size_t i = 0; i < window.live.size(); ++i) {
    if (i < window.description.table.Count() && IsMenuItemId(window.description.table.ids[i])) {
      continue;
    }
    DestroyPointer(window.live[i]);
    window.live[i].object.reset();
  }
}

}  // namespace mnemora
