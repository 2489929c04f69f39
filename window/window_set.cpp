#include "window/window_set.h"

#include "runtime/forged_end.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"
#include "runtime/window_system_hooks.h"
#include "window/event_dispatch.h"
#include "window/form_bytes.h"
#include "window/message_pretranslation.h"
#include "window/unit_properties.h"
#include "window/window_loader.h"
#include "window/window_services.h"

namespace mnemora {
namespace {

WindowSetState g_windowSet;

void ResetLive(LiveWindow& window) {
  window.unitAtHandle.clear();
  window.live.clear();
  window.live.resize(window.description.table.Count());
}

UnitLiveDescription DescribeUnit(const Bytes& record) {
  constexpr uint32_t kRecordTabStop = 4;
  UnitLiveDescription unit;
  UnitRecordFields fields;
  if (ParseUnitRecord(record, &fields)) {
    unit.kind = fields.kind;
    unit.tabStop = (fields.stateFlags & kRecordTabStop) != 0;
    unit.tabOrder = fields.tabOrder;
    unit.events = std::move(fields.events);
  }
  return unit;
}

// Whenever the records are replaced whole.
void DescribeUnits(LiveWindow& window) {
  window.units.clear();
  for (const Bytes& record : window.description.table.records) {
    window.units.push_back(DescribeUnit(record));
  }
}

const char* WindowName(uint32_t windowId) {
  // A window is named by its own record's name field.
  const LiveWindow* window = FindLiveWindow(windowId);
  if (window == nullptr) {
    return nullptr;
  }
  static thread_local std::string name;
  UnitRecordFields fields;
  name.clear();
  if (window->description.table.Count() > 0 &&
      ParseUnitRecord(window->description.table.records[0], &fields)) {
    name = fields.name;
  }
  return name.c_str();
}

bool FindUnitName(uint32_t windowId, uint32_t unitIdOrZero, uint32_t* unitId, const char** name) {
  const LiveWindow* window = FindLiveWindow(windowId);
  if (window == nullptr) {
    return false;
  }
  const int index = FindRecordIndex(*window, unitIdOrZero);
  if (index < 0) {
    return false;
  }
  static thread_local std::string unitName;
  UnitRecordFields fields;
  if (!ParseUnitRecord(window->description.table.records[static_cast<size_t>(index)], &fields)) {
    return false;
  }
  unitName = fields.name;
  *unitId = window->description.table.ids[static_cast<size_t>(index)];
  *name = unitName.c_str();
  return true;
}

bool LoadStartWindow(uint32_t windowId) {
  LiveWindow* window = FindLiveWindow(windowId);
  return window != nullptr && LoadWindowDescription(*window, false, false, nullptr);
}

bool AnyWindowLoaded() {
  for (const auto& window : g_windowSet.windows) {
    if (IsWindowLoaded(*window)) {
      return true;
    }
  }
  return false;
}

std::vector<uint32_t> LoadedWindows() {
  std::vector<uint32_t> ids;
  for (const auto& window : g_windowSet.windows) {
    if (IsWindowLoaded(*window)) {
      ids.push_back(window->description.windowId);
    }
  }
  return ids;
}

bool RaiseIdleEvent(uint32_t windowId, uint32_t elapsed) {
  constexpr int32_t kIdleEvent = 7;
  const HandlerOutcome outcome =
      RaiseEventWithArguments(windowId, 0, kIdleEvent, {static_cast<int32_t>(elapsed)});
  return outcome.returned && static_cast<uint32_t>(outcome.value) != 0;
}

void ReadFormsFromHeader(const uint8_t* data, uint32_t length) {
  const ProgramHeader* header = TheRuntimeApp().header;
  if (header != nullptr && header->codeBase != nullptr) {
    g_windowSet.handlers = static_cast<const HandlerTable*>(header->codeBase);
  }
  ReadForms(data, length);
}

}  // namespace

WindowSetState& TheWindowSet() {
  return g_windowSet;
}

void ReadForms(const uint8_t* data, uint32_t length) {
  std::vector<WindowDescription> windows;
  if (!ReadWindowSet(data, length, &windows)) {
    RaiseRuntimeError("载入窗口模板数据段出错!", 0, 0, 0);
  }
  AddWindowDescriptions(std::move(windows));
}

void AddWindowDescriptions(std::vector<WindowDescription> windows) {
  for (WindowDescription& description : windows) {
    auto window = std::make_unique<LiveWindow>();
    window->description = std::move(description);
    DescribeUnits(*window);
    ResetLive(*window);
    g_windowSet.windows.push_back(std::move(window));
  }
}

void FreeWindows() {
  for (const auto& window : g_windowSet.windows) {
    if (HWND handle = NativeWindowOf(*window); handle != nullptr && IsWindow(handle)) {
      EndWindow(handle);
    }
    ReleaseUnitObjects(*window);
  }
  g_windowSet.windows.clear();
}

void RestoreSnapshot(LiveWindow& window) {
  if (window.hasSnapshot) {
    window.description.table = window.snapshot;
    DescribeUnits(window);
  }
}

LiveWindow* FindLiveWindow(uint32_t windowId) {
  if (!IsValidId(windowId)) {
    return nullptr;
  }
  for (const auto& window : g_windowSet.windows) {
    if (window->description.windowId == windowId) {
      return window.get();
    }
  }
  return nullptr;
}

int FindRecordIndex(const LiveWindow& window, uint32_t unitId) {
  if (unitId == 0) {
    return window.description.table.Count() > 0 ? 0 : -1;
  }
  return window.description.table.IndexOf(unitId);
}

void RemoveUnitRecord(LiveWindow& window, uint32_t unitId) {
  UnitTable& table = window.description.table;
  const int index = table.IndexOf(unitId);
  if (index <= 0) {
    return;
  }
  RecordLayout layout;
  const auto removed = static_cast<size_t>(index);
  const uint32_t parent = LocateRecordFields(table.records[removed], &layout)
                              ? ReadRecordDword(table.records[removed], layout.parent)
                              : 0;
  table.ids.erase(table.ids.begin() + index);
  table.records.erase(table.records.begin() + index);
  window.units.erase(window.units.begin() + index);
  if (removed < window.live.size()) {
    window.live.erase(window.live.begin() + index);
  }
  const int parentIndex = parent == 0 ? -1 : table.IndexOf(parent);
  if (parentIndex < 0 || IsMenuItemId(parent)) {
    return;
  }
  Bytes& record = table.records[static_cast<size_t>(parentIndex)];
  if (!LocateRecordFields(record, &layout)) {
    return;
  }
  const uint32_t count = ReadRecordDword(record, layout.childCount);
  std::vector<uint32_t> kept;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t child = ReadRecordDword(record, layout.childCount + 4 + 4 * size_t{i});
    if (child != unitId) {
      kept.push_back(child);
    }
  }
  ByteWriter list;
  list.Dword(static_cast<uint32_t>(kept.size()));
  for (uint32_t child : kept) {
    list.Dword(child);
  }
  ReplaceRecordBytes(&record, layout.childCount, 4 + 4 * size_t{count}, list.bytes());
}

UnitObject* WindowObjectOf(const LiveWindow& window) {
  return window.live.empty() ? nullptr : window.live[0].object.get();
}

HWND NativeWindowOf(const LiveWindow& window) {
  const UnitObject* object = WindowObjectOf(window);
  return object != nullptr ? object->Handle() : nullptr;
}

bool IsWindowLoaded(const LiveWindow& window) {
  HWND handle = NativeWindowOf(window);
  return handle != nullptr && IsWindow(handle);
}

EventHandler ResolveHandler(int32_t reference) {
  const HandlerTable* table = g_windowSet.handlers;
  if (reference < 0 || table == nullptr || static_cast<uint32_t>(reference) >= table->count) {
    return nullptr;
  }
  return table->routines[reference];
}

void InstallFormWindowSystem() {
  WindowSystemHooks hooks = EmptyWindowSystem();
  hooks.lookup = WindowLookup{WindowName, FindUnitName};
  hooks.readForms = ReadFormsFromHeader;
  hooks.freeWindows = FreeWindows;
  hooks.loadWindow = LoadStartWindow;
  hooks.anyWindowLoaded = AnyWindowLoaded;
  hooks.loadedWindows = LoadedWindows;
  hooks.raiseIdleEvent = RaiseIdleEvent;
  hooks.readUnitProperty = ReadUnitProperty;
  hooks.writeUnitProperty = WriteUnitProperty;
  hooks.preTranslateMessage = PreTranslateWindowMessage;
  hooks.service = WindowSystemService;
  hooks.propertyHelper = UnitPropertyHelper;
  InstallWindowSystem(hooks);
}

}  // namespace mnemora
