// The bench unit kinds are tested on as real windows: a window system that
// records the events and destruction reports units send, one parent that
// hands its children's notifications to their units as the runtime's
// windows do, the kinds' operations and properties by number, and the
// window queries the tests share.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "runtime/unit_type_descriptor.h"
#include "tests/worker_thread.h"
#include "window/form_description.h"
#include "window/unit_object.h"
#include "window/units/unit_interface.h"

namespace mnemora::bench {

inline constexpr uint32_t kWindowId = 0x52010001;

struct RaisedEvent {
  uint32_t windowId;
  uint32_t unitId;
  int32_t event;
  std::vector<int32_t> arguments;
  DWORD threadId;  // the thread the event was raised on
};

struct DestructionReport {
  uint32_t windowId;
  uint32_t unitId;
  bool operator==(const DestructionReport&) const = default;
};

// Where a unit is made: left, top, width and height in the parent, as a
// form stores them; under the bench's parent with control id 100 unless
// given.
struct UnitPlace {
  int left;
  int top;
  int width;
  int height;
  HWND parent = nullptr;
  int controlId = 100;
};

// How the bench's parent looks: hidden, or shown and filled with one
// colour for tests that read the screen.
struct ShownParent {
  COLORREF colour;
  int width;
  int height;
};

// Installs the recording window system and creates the parent; both go
// away with it. The calling thread becomes the UI thread units carry other
// threads' work to.
class UnitBench {
 public:
  explicit UnitBench(const std::optional<ShownParent>& shown = std::nullopt);
  ~UnitBench();
  UnitBench(const UnitBench&) = delete;
  UnitBench& operator=(const UnitBench&) = delete;

  HWND Parent() const { return parent_; }
  // Events raised since construction or the last ClearEvents, in order.
  std::vector<RaisedEvent> Events() const;
  std::vector<RaisedEvent> EventsOf(uint32_t unitId) const;
  std::vector<int32_t> EventNumbers(uint32_t unitId) const;
  std::vector<DestructionReport> Destroyed() const;
  void ClearEvents();
  // The next raised event finds a handler that returns this value.
  void ReplyToNextEvent(int32_t value);

  // Null when the kind refuses the block.
  std::unique_ptr<UnitObject> Create(const UnitTypeDescriptor& kind, const Bytes& block,
                                     uint32_t unitId, const UnitPlace& place, uint32_t style = 0);

 private:
  HWND parent_ = nullptr;
};

// The kind's operation, or null.
template <typename Operation>
Operation KindOperation(const UnitTypeDescriptor& kind, int32_t number) {
  return reinterpret_cast<Operation>(kind.getInterface(number));
}

// Property access by the application's number (8 and up). The setters
// return whether the unit asked to be re-created.
bool SetNumber(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property, int64_t number);
bool SetBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
              const Bytes& bytes);
bool SetText(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
             const std::string& text);
int64_t GetNumber(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property);
Bytes GetBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property);
std::string GetText(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property);

// The property block of a unit of the main window's stored form.
Bytes MainFormBlock(uint32_t unitId);
Bytes ToBytes(std::span<const uint8_t> bytes);

std::string WindowTextOf(HWND window);
LONG_PTR StyleOf(HWND window);
LONG_PTR ExStyleOf(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
// A left click (press and release) at a client position.
void ClickAt(HWND window, int x, int y);

// Dispatches every waiting message of this thread.
void PumpMessages();
using testing_support::PumpUntilThreadEnds;
// Makes the calling thread the UI thread that other threads' unit work is
// carried to, as the runtime's start-up does; once per process.
void MakeThisTheUiThread();

}  // namespace mnemora::bench
