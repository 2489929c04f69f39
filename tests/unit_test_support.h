// What the unit kind tests share: a parent window that reflects its
// children's notifications as the runtime's windows do, a window system
// that records the events units raise, and the kinds' operations by number.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/unit_type_descriptor.h"
#include "tests/worker_thread.h"
#include "window/form_description.h"
#include "window/unit_object.h"
#include "window/units/unit_interface.h"

namespace mnemora::unit_tests {

inline constexpr uint32_t kTestWindowId = 0x52010001;

struct RaisedEvent {
  uint32_t unitId;
  int32_t event;
  std::vector<int32_t> arguments;
  DWORD threadId;  // the thread the event was raised on
};

// Installs the recording window system for its lifetime and creates a
// hidden top-level parent window.
class UnitTestBench {
 public:
  UnitTestBench();
  ~UnitTestBench();
  UnitTestBench(const UnitTestBench&) = delete;
  UnitTestBench& operator=(const UnitTestBench&) = delete;

  HWND Parent() const { return parent_; }
  // Events raised since construction or the last ClearEvents, in order.
  std::vector<RaisedEvent> Events() const;
  // The numbers of the events raised by one unit.
  std::vector<int32_t> EventNumbers(uint32_t unitId) const;
  void ClearEvents();

  // Creates a unit of the kind under the parent; the rectangle is
  // (10, 10, width, height), the control id 100 unless given.
  std::unique_ptr<UnitObject> Create(const UnitTypeDescriptor& kind, const Bytes& block,
                                     uint32_t unitId, int width, int height, uint32_t style = 0,
                                     int controlId = 100);

 private:
  HWND parent_ = nullptr;
};

// The kind's operation, or null.
template <typename Operation>
Operation KindOperation(const UnitTypeDescriptor& kind, int32_t number) {
  return reinterpret_cast<Operation>(kind.getInterface(number));
}

// Property access by application number (8 and up).
bool SetUnitProperty(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
                     int64_t number);
bool SetUnitText(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
                 const std::string& text);
bool SetUnitBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
                  const Bytes& bytes);
int64_t UnitNumber(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property);
std::string UnitText(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property);
Bytes UnitBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property);

std::string WindowTextOf(HWND window);
LONG_PTR StyleOf(HWND window);
LONG_PTR ExStyleOf(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

// Dispatches every waiting message of this thread.
void PumpMessages();
using testing_support::PumpUntilThreadEnds;
// Makes the calling thread the UI thread that other threads' unit work is
// carried to, as the runtime's start-up does; once per process.
void MakeThisTheUiThread();

// A left click (press and release) at a client position.
void ClickAt(HWND window, int x, int y);

}  // namespace mnemora::unit_tests
