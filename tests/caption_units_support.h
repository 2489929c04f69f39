// Shared by the tests of the label, group box and transparent label kinds:
// a window system that records events and destruction reports, a coloured
// parent that hands notifications to its children's units, unit operations
// by property number, and rendered pixels read back.
#pragma once

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/unit_type_descriptor.h"
#include "window/form_description.h"
#include "window/unit_events.h"
#include "window/units/unit_interface.h"

namespace mnemora::testing {

inline constexpr uint32_t kTestWindowId = 0x52010001;

// Installed while it lives; the empty window system comes back after.
struct RecordingWindowSystem {
  RecordingWindowSystem();
  ~RecordingWindowSystem();
  // The next raised event finds a handler that returns this value.
  void ReplyToNextEvent(int32_t value);

  std::vector<EventRecord> events;
  std::vector<uint32_t> destroyedUnits;  // reports of service 2000
};

// A visible top-level window filled with one colour, whose procedure offers
// its children's notifications to their units first.
class ColouredParent {
 public:
  ColouredParent(COLORREF colour, int width, int height);
  ~ColouredParent() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

template <typename Operation>
Operation KindOperation(const UnitTypeDescriptor& kind, int32_t number) {
  return reinterpret_cast<Operation>(kind.getInterface(number));
}

// Null when the kind refuses the block.
std::unique_ptr<UnitObject> CreateUnit(const UnitTypeDescriptor& kind, const Bytes& block,
                                       HWND parent, RECT rect, uint32_t unitId, uint32_t style = 0);

// Property access by the numbers the application uses (8 and up).
UnitValue GetProperty(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property);
bool SetProperty(const UnitTypeDescriptor& kind, UnitObject* unit, int32_t property,
                 const UnitValue& value);
UnitValue Number(int64_t number);
UnitValue Text(const std::string& text);
std::string TextOf(const UnitValue& value);

class Pixels {
 public:
  Pixels(int width, int height, std::vector<COLORREF> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT All() const { return RECT{0, 0, width_, height_}; }
  COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
  int Count(const RECT& area, COLORREF colour) const;
  // Bounding box of the pixels in area that pass the test; empty when none.
  template <typename Test>
  RECT BoundsOf(const RECT& area, Test test) const {
    RECT b{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        if (test(At(x, y))) {
          b = RECT{std::min<LONG>(b.left, x), std::min<LONG>(b.top, y),
                   std::max<LONG>(b.right, x + 1), std::max<LONG>(b.bottom, y + 1)};
        }
      }
    }
    return b.left == INT_MAX ? RECT{} : b;
  }

 private:
  int width_;
  int height_;
  std::vector<COLORREF> pixels_;
};

// The window's client area painted through WM_PRINTCLIENT into a bitmap
// first filled with fill.
Pixels PrintClient(HWND window, COLORREF fill);
// What the screen shows of the client area, children included, once every
// pending paint is done.
Pixels CaptureClient(HWND window);

}  // namespace mnemora::testing
