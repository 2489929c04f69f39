// What the picture, drawing panel and button tests share: a parent window
// that reflects its children's notifications as the runtime's windows do, a
// window system that records the events and destruction reports units send,
// the kinds' operations by number, and reading a window's pixels back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "runtime/unit_type_descriptor.h"
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
};

struct DestructionReport {
  uint32_t windowId;
  uint32_t unitId;
};

// Installs the recording window system and creates a hidden top-level
// parent; both go away with it.
class KindBench {
 public:
  KindBench();
  ~KindBench();
  KindBench(const KindBench&) = delete;
  KindBench& operator=(const KindBench&) = delete;

  HWND Parent() const { return parent_; }
  // The events of one unit since construction or ClearEvents, in order.
  std::vector<RaisedEvent> EventsOf(uint32_t unitId) const;
  const std::vector<DestructionReport>& Destroyed() const;
  void ClearEvents();

  // A unit of the kind at (left, top, width, height) in the parent (the
  // bench's own unless given), control id 100.
  std::unique_ptr<UnitObject> Create(const UnitTypeDescriptor& kind, const Bytes& block,
                                     uint32_t unitId, RECT rectangle, uint32_t style = 0,
                                     HWND parent = nullptr);

 private:
  HWND parent_ = nullptr;
};

template <typename Operation>
Operation KindOperation(const UnitTypeDescriptor& kind, int32_t number) {
  return reinterpret_cast<Operation>(kind.getInterface(number));
}

// Kind-specific property access by the application's number (8 and up).
// The setters return whether the unit asked to be re-created.
bool SetNumber(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property, int64_t number);
bool SetBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property,
              const Bytes& bytes);
int64_t GetNumber(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property);
Bytes GetBytes(UnitObject* unit, const UnitTypeDescriptor& kind, int32_t property);

// The property block of a unit of the main window's stored form.
Bytes MainFormBlock(uint32_t unitId);

Bytes ToBytes(std::span<const uint8_t> bytes);

// Pixels 0x00RRGGBB, rows from the top.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> values;

  uint32_t At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};

// 0x00BBGGRR to 0x00RRGGBB.
uint32_t Rgb(COLORREF colour);

// The client area rendered through WM_PRINTCLIENT into a bitmap.
Pixels PrintClient(HWND window);
// The client area as it is on the screen (the window must be shown and
// painted).
Pixels ScreenPixels(HWND window);

// Dispatches every waiting message of this thread.
void PumpMessages();

}  // namespace mnemora::bench
