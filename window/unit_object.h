// The live object of a unit or window: created by its kind, attached to its
// native window, owned by the window system's record beside the stored
// unit record.
#pragma once

#include <windows.h>

#include <cstdint>

namespace mnemora {

class UnitObject {
 public:
  UnitObject(uint32_t windowId, uint32_t unitId, uint32_t kind)
      : windowId_(windowId), unitId_(unitId), kind_(kind) {}
  virtual ~UnitObject();
  UnitObject(const UnitObject&) = delete;
  UnitObject& operator=(const UnitObject&) = delete;

  HWND Handle() const { return handle_; }
  uint32_t WindowId() const { return windowId_; }
  uint32_t UnitId() const { return unitId_; }
  uint32_t Kind() const { return kind_; }

  // A notification the parent received from this unit's native window
  // (WM_COMMAND, WM_CTLCOLOR*, scrolling). True when
  // handled, with *result the answer for the parent's window procedure.
  virtual bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  // The native windows that belong to the unit besides its own (an
  // adjuster beside an edit box): moved, shown and hidden with it.
  virtual HWND Companion() const { return nullptr; }

 protected:
  // Attaches this object to its freshly created native window.
  void Attach(HWND handle);

 private:
  HWND handle_ = nullptr;
  uint32_t windowId_;
  uint32_t unitId_;
  uint32_t kind_;
};

// The unit object attached to a native window, or null.
UnitObject* UnitObjectOf(HWND window);

// Offers a child's notification to the child's unit object. Every window
// procedure of the runtime that can parent units calls this first.
bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace mnemora
