// The runtime's live window set: every window description read from the
// program's form data, with the live objects kept beside its records.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "runtime/event_handler.h"
#include "window/form_description.h"
#include "window/unit_object.h"

namespace mnemora {

// What the window system keeps beside one stored unit record.
struct RecordLive {
  std::unique_ptr<UnitObject> object;
  HCURSOR cursor = nullptr;
  bool ownsCursor = false;  // loaded from a cursor image, not a shared system cursor
};

// What raising an event and moving the focus read of one unit record,
// read from it once whenever the window's records are read or put back. A
// property write never changes these fields: it writes the position, the
// tag, the pointer and the visible and disabled bits.
struct UnitLiveDescription {
  // All zero and empty for a record that cannot be walked (or a menu item).
  uint32_t kind = 0;
  bool tabStop = false;
  uint32_t tabOrder = 0;
  std::vector<EventBinding> events;
};

struct LiveWindow {
  WindowDescription description;           // the live records; property writes go here
  std::vector<UnitLiveDescription> units;  // one per record, in step with them
  std::vector<RecordLive> live;            // one per record
  UnitTable snapshot;                      // taken when a load begins, put back on destruction
  bool hasSnapshot = false;
  // Where the units of windows messages came to were found: only a guess,
  // checked at each use, since a re-created unit has a new window and a
  // window handle can be used again.
  std::unordered_map<HWND, size_t> unitAtHandle;
};

struct WindowSetState {
  std::vector<std::unique_ptr<LiveWindow>> windows;
  const HandlerTable* handlers = nullptr;
  // The event being handled: set only while its handler runs.
  bool hasEventSource = false;
  uint32_t eventSourceWindow = 0;
  uint32_t eventSourceUnit = 0;
  // While a unit is re-created, destruction reports are ignored.
  bool recreating = false;
  // The modal flag of the load in progress, for the window creator.
  bool loadingModal = false;
};

WindowSetState& TheWindowSet();

// Reads the stored form data into the set; a failure is the run-time error
// "载入窗口模板数据段出错!".
void ReadForms(const uint8_t* data, uint32_t length);
// Adds descriptions directly (tests and programs that build forms in memory).
void AddWindowDescriptions(std::vector<WindowDescription> windows);
// Destroys every loaded window and empties the set.
void FreeWindows();

LiveWindow* FindLiveWindow(uint32_t windowId);
// Index of the record, or -1; unit id 0 is record 0.
int FindRecordIndex(const LiveWindow& window, uint32_t unitId);
// Takes the unit's record out of the window's records, and its id out of
// its parent's child list. Record 0, the window's own, stays.
void RemoveUnitRecord(LiveWindow& window, uint32_t unitId);
// Puts back the records the window had when its load began, when it has a
// snapshot.
void RestoreSnapshot(LiveWindow& window);

// The window's own live object (record 0) and its native window, if loaded.
UnitObject* WindowObjectOf(const LiveWindow& window);
HWND NativeWindowOf(const LiveWindow& window);
bool IsWindowLoaded(const LiveWindow& window);

// The handler a stored reference names, or null for -1 and out-of-range
// references.
EventHandler ResolveHandler(int32_t reference);

// Installs the form-based window system as the runtime's window system.
void InstallFormWindowSystem();

}  // namespace mnemora
