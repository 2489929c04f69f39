// The numbered operations every unit kind hands out through its
// get-interface function, and what they take and give.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "window/form_description.h"
#include "window/unit_object.h"

namespace mnemora {

namespace unit_operation {
inline constexpr int32_t kCreate = 1;
inline constexpr int32_t kSetProperty = 4;
inline constexpr int32_t kSave = 5;
inline constexpr int32_t kGetProperty = 6;
inline constexpr int32_t kKeyInterest = 8;
inline constexpr int32_t kConvertTexts = 9;
inline constexpr int32_t kEnterInterest = 10;
inline constexpr int32_t kMessageFilter = 11;
}  // namespace unit_operation

// Style bits the loader passes: disabled and Tab stop.
inline constexpr uint32_t kUnitStyleDisabled = 0x08000000;
inline constexpr uint32_t kUnitStyleTabStop = 0x00010000;

struct UnitCreateArgs {
  const Bytes* propertyBlock;  // may be empty: the kind's defaults
  uint32_t style;              // kUnitStyleDisabled, kUnitStyleTabStop
  HWND parent;
  int controlId;
  HMENU menu;
  int left;
  int top;
  int width;
  int height;
  uint32_t windowId;
  uint32_t unitId;
};

// A property value as it crosses between the runtime and a kind: numbers,
// booleans and colours in `number`; texts (without terminator), byte sets
// and fonts in `bytes`.
struct UnitValue {
  int64_t number = 0;
  Bytes bytes;
};

// Null when the property block is rejected or the native window cannot be
// made. The caller owns the result.
using CreateUnitOperation = UnitObject* (*)(const UnitCreateArgs& args);
// index is the property number minus 8. True when the unit must be
// re-created to show the change.
using SetPropertyOperation = bool (*)(UnitObject* unit, int32_t index, const UnitValue& value);
// The unit's current property block.
using SaveUnitOperation = Bytes (*)(UnitObject* unit);
using GetPropertyOperation = UnitValue (*)(UnitObject* unit, int32_t index);
// Whether the unit wants a navigation key (Tab, Enter, Esc, arrows, F1).
using KeyInterestOperation = bool (*)(UnitObject* unit, int32_t virtualKey);
// Offers every text stored in a property block to convert; the new block.
using ConvertTextsOperation = Bytes (*)(const Bytes& block,
                                        std::string (*convert)(const std::string& text));
// Whether a button acts on the Enter key.
using EnterInterestOperation = bool (*)(UnitObject* unit);
// Sees the window's messages first; true consumes the message.
using MessageFilterOperation = bool (*)(UnitObject* unit, MSG* message);

// A kind's operations by name; a null member is an operation the kind lacks.
struct UnitKindOperations {
  CreateUnitOperation create = nullptr;
  SetPropertyOperation setProperty = nullptr;
  SaveUnitOperation save = nullptr;
  GetPropertyOperation getProperty = nullptr;
  KeyInterestOperation keyInterest = nullptr;
  ConvertTextsOperation convertTexts = nullptr;
  EnterInterestOperation enterInterest = nullptr;
  MessageFilterOperation messageFilter = nullptr;
};

// The operation with the given number, as a kind's get-interface function
// hands it out; null when the kind lacks it.
inline void* OperationByNumber(const UnitKindOperations& operations, int32_t number) {
  switch (number) {
    case unit_operation::kCreate:
      return reinterpret_cast<void*>(operations.create);
    case unit_operation::kSetProperty:
      return reinterpret_cast<void*>(operations.setProperty);
    case unit_operation::kSave:
      return reinterpret_cast<void*>(operations.save);
    case unit_operation::kGetProperty:
      return reinterpret_cast<void*>(operations.getProperty);
    case unit_operation::kKeyInterest:
      return reinterpret_cast<void*>(operations.keyInterest);
    case unit_operation::kConvertTexts:
      return reinterpret_cast<void*>(operations.convertTexts);
    case unit_operation::kEnterInterest:
      return reinterpret_cast<void*>(operations.enterInterest);
    case unit_operation::kMessageFilter:
      return reinterpret_cast<void*>(operations.messageFilter);
    default:
      return nullptr;
  }
}

}  // namespace mnemora
