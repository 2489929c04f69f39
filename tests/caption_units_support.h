// What the tests of the label, group box and transparent label kinds share:
// a recording window system, a coloured parent window that hands
// notifications back to its children's units, creating units through their
// kind's operations, and reading rendered pixels back.
#pragma once

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/unit_type_descriptor.h"
#include "window/form_description.h"
#include "window/unit_events.h"
#include "window/units/unit_interface.h"

namespace mnemora::testing {

inline constexpr uint32_t kTestWindowId = 0x52010001;

// Installs a window system whose services record raised events (2008) and
// destruction reports (2000); the empty one comes back on destruction.
class RecordingWindowSystem {
 public:
  RecordingWindowSystem();
  ~RecordingWindowSystem();
  RecordingWindowSystem(const RecordingWindowSystem&) = delete;
  RecordingWindowSystem& operator=(const RecordingWindowSystem&) = delete;

  struct Destroyed {
    uint32_t windowId;
    uint32_t unitId;
  };

  // The next raised event finds a handler that returns this value.
  void ReplyToNextEvent(int32_t value);

  std::vector<EventRecord> events;
  std::vector<Destroyed> destroyed;
};

// A visible top-level window on the screen whose background is one colour
// and whose procedure offers notifications to the children's units first.
class ColouredParent {
 public:
  ColouredParent(COLORREF colour, int width, int height);
  ~ColouredParent();
  ColouredParent(const ColouredParent&) = delete;
  ColouredParent& operator=(const ColouredParent&) = delete;

  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

// Hands out a kind's operation by number, typed.
template <typename Operation>
Operation KindOperation(const UnitTypeDescriptor& kind, int32_t number) {
  return reinterpret_cast<Operation>(kind.getInterface(number));
}

// Creates a unit through the kind's create operation; null when it refuses.
std::unique_ptr<UnitObject> CreateUnit(const UnitTypeDescriptor& kind, const Bytes& block,
                                       HWND parent, RECT rect, uint32_t unitId, uint32_t style = 0);

// Property access by the number the application uses (8 and up).
UnitValue GetUnitProperty(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property);
bool SetUnitNumber(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property,
                   int64_t number);
bool SetUnitBytes(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property, Bytes bytes);
bool SetUnitText(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property,
                 const std::string& text);
std::string TextOfValue(const UnitValue& value);

// Pixels read back from a device context, as COLORREF values.
class Pixels {
 public:
  Pixels(int width, int height, std::vector<COLORREF> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }

  // Bounding box of the pixels inside area that satisfy the test; empty
  // (all zero) when none does.
  template <typename Test>
  RECT BoundsOf(const RECT& area, Test test) const {
    RECT bounds{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        if (test(At(x, y))) {
          bounds = RECT{std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                        std::max<LONG>(bounds.right, x + 1), std::max<LONG>(bounds.bottom, y + 1)};
        }
      }
    }
    return bounds.left == INT32_MAX ? RECT{} : bounds;
  }
  RECT All() const { return RECT{0, 0, width_, height_}; }
  // Pixels inside area equal to colour.
  int Count(const RECT& area, COLORREF colour) const;

 private:
  int width_;
  int height_;
  std::vector<COLORREF> pixels_;
};

// The unit's client area as it paints itself through WM_PRINTCLIENT into a
// bitmap first filled with the given colour.
Pixels PrintClient(HWND window, COLORREF fill);
// What the screen shows of a window's client area, children included, after
// every pending paint has been done.
Pixels CaptureClient(HWND window);

// Dispatches every message waiting for this thread.
void PumpMessages();

}  // namespace mnemora::testing
