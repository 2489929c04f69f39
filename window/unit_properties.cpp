#include "window/unit_properties.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "runtime/heap_blocks.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"
#include "runtime/runtime_service.h"
#include "runtime/ui_thread_channel.h"
#include "window/font_property.h"
#include "window/unit_cursors.h"
#include "window/unit_properties_common.h"
#include "window/units/property_table.h"
#include "window/units/unit_interface.h"

namespace mnemora {
namespace {

enum class ValueShape { kInteger, kWide, kBoolean, kChoice, kBytes, kPointerBytes, kFont, kText };

ValueShape ShapeOf(uint16_t type) {
  namespace pt = property_type;
  switch (type) {
    case pt::kInteger:
    case pt::kInteger2:
    case pt::kColour:
    case pt::kBackgroundColour:
    case pt::kColour3:
      return ValueShape::kInteger;
    case pt::kWide:
    case pt::kWide2:
      return ValueShape::kWide;
    case pt::kBoolean:
      return ValueShape::kBoolean;
    case pt::kChoice:
      return ValueShape::kChoice;
    case pt::kPicture:
    case pt::kIcon:
    case pt::kSound:
    case pt::kData:
    case pt::kData2:
      return ValueShape::kBytes;
    case pt::kMousePointer:
      return ValueShape::kPointerBytes;
    case pt::kFont:
      return ValueShape::kFont;
    default:
      return ValueShape::kText;
  }
}

uint64_t PointerValue(const void* block) {
  return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(block));
}

const void* ValuePointer(uint32_t low, uint32_t high) {
  return reinterpret_cast<const void*>(
      static_cast<uintptr_t>(static_cast<uint64_t>(high) << 32 | low));
}

Bytes ByteSetValue(uint32_t low, uint32_t high) {
  const void* block = ValuePointer(low, high);
  const uint8_t* bytes = ByteSetBytes(block);
  return bytes == nullptr ? Bytes() : Bytes(bytes, bytes + ByteSetSize(block));
}

Bytes TextValue(uint32_t low, uint32_t high) {
  const auto* text = static_cast<const char*>(ValuePointer(low, high));
  return text == nullptr ? Bytes() : Bytes(text, text + std::strlen(text));
}

struct Target {
  LiveWindow* window = nullptr;
  size_t index = 0;
  // What the report names when the unit cannot be reached; the access runs
  // on the UI thread, the report on the caller's.
  const char* failure = nullptr;
};

bool HasLiveNative(const LiveWindow& window, size_t index) {
  const RecordLive& live = window.live[index];
  return live.object != nullptr && IsWindow(live.object->Handle());
}

// The unit a property access names; a kind property (8 and up) also needs
// the unit's native window, whose absence is reported as goneMessage.
Target FindTarget(uint32_t windowId, uint32_t unitId, int32_t property, const char* goneMessage) {
  LiveWindow* window = FindLiveWindow(windowId);
  if (window == nullptr) {
    return Target{.failure = "未载入欲访问窗口组件所在的窗口"};
  }
  const int index = FindRecordIndex(*window, unitId);
  if (index < 0) {
    return Target{.failure = "指定窗口或窗口组件不存在或尚未载入"};
  }
  const auto record = static_cast<size_t>(index);
  if (property >= 8 && !HasLiveNative(*window, record)) {
    return Target{.failure = goneMessage};
  }
  return Target{window, record};
}

// The kind's property entry for a property number of 8 or more, or null.
// A kind's table starts with the common properties, so the number is the index.
const UnitPropertyEntry* KindProperty(const UnitTypeDescriptor* kind, int32_t property) {
  if (kind == nullptr || kind->properties == nullptr || property < 8 ||
      static_cast<uint32_t>(property) >= kind->propertyCount) {
    return nullptr;
  }
  return &kind->properties[property];
}

template <typename Operation>
Operation KindOperation(const UnitTypeDescriptor* kind, int32_t number) {
  return kind != nullptr && kind->getInterface != nullptr
             ? reinterpret_cast<Operation>(kind->getInterface(number))
             : nullptr;
}

uint64_t ReadKindProperty(const Target& target, int32_t property, int32_t fontPart) {
  RecordLive& live = target.window->live[target.index];
  const UnitTypeDescriptor* kind = ResolveUnitKind(live.object->Kind());
  const UnitPropertyEntry* entry = KindProperty(kind, property);
  auto get = KindOperation<GetPropertyOperation>(kind, unit_operation::kGetProperty);
  if (entry == nullptr || get == nullptr) {
    return 0;
  }
  const UnitValue value = get(live.object.get(), property - 8);
  switch (ShapeOf(entry->typeCode)) {
    case ValueShape::kInteger:
    case ValueShape::kChoice:
      return static_cast<uint32_t>(value.number);
    case ValueShape::kWide:
      return static_cast<uint64_t>(value.number);
    case ValueShape::kBoolean:
      return value.number == 1 ? 1 : 0;
    case ValueShape::kBytes:
      return PointerValue(MakeByteSet(value.bytes.data(), value.bytes.size()));
    case ValueShape::kPointerBytes: {
      const Bytes bytes = PointerBytesToApplication(value.bytes);
      return PointerValue(MakeByteSet(bytes.data(), bytes.size()));
    }
    case ValueShape::kFont:
      return ReadFontPart(value.bytes, fontPart);
    case ValueShape::kText:
      return PointerValue(
          MakeText(reinterpret_cast<const char*>(value.bytes.data()), value.bytes.size()));
  }
  return 0;
}

void WriteKindProperty(const Target& target, int32_t property, int32_t fontPart, uint32_t low,
                       uint32_t high) {
  RecordLive& live = target.window->live[target.index];
  const UnitTypeDescriptor* kind = ResolveUnitKind(live.object->Kind());
  const UnitPropertyEntry* entry = KindProperty(kind, property);
  auto set = KindOperation<SetPropertyOperation>(kind, unit_operation::kSetProperty);
  if (entry == nullptr || set == nullptr) {
    return;
  }
  UnitValue value;
  switch (ShapeOf(entry->typeCode)) {
    case ValueShape::kInteger:
      value.number = static_cast<int32_t>(low);
      break;
    case ValueShape::kChoice:
      value.number = std::max(static_cast<int32_t>(low), 0);
      break;
    case ValueShape::kWide:
      value.number = static_cast<int64_t>(static_cast<uint64_t>(high) << 32 | low);
      break;
    case ValueShape::kBoolean:
      value.number = low != 0 ? 1 : 0;
      break;
    case ValueShape::kBytes:
      value.bytes = ByteSetValue(low, high);
      break;
    case ValueShape::kPointerBytes:
      value.bytes = PointerBytesFromApplication(ByteSetValue(low, high));
      break;
    case ValueShape::kFont: {
      auto get = KindOperation<GetPropertyOperation>(kind, unit_operation::kGetProperty);
      const Bytes current = get != nullptr ? get(live.object.get(), property - 8).bytes : Bytes();
      value.bytes = WriteFontPart(current, fontPart, low, high);
      break;
    }
    case ValueShape::kText:
      value.bytes = TextValue(low, high);
      break;
  }
  if (set(live.object.get(), property - 8, value) && target.index != 0) {
    RecreateUnit(*target.window, target.index);
  }
}

[[noreturn]] void Report(const char* message, uint32_t windowId, uint32_t unitId) {
  RaiseRuntimeError(message, 0, static_cast<int32_t>(windowId), static_cast<int32_t>(unitId));
}

}  // namespace

// From another thread the whole access runs on the UI thread; once the
// windows are gone (the channel is closed) it is dropped without a report:
// reads give 0, writes change nothing.
uint64_t ReadUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t fontPart) {
  uint64_t result = 0;
  const char* failure = nullptr;
  RunOnUiThread([&] {
    const Target target =
        FindTarget(windowId, unitId, property, "读取组件属性时发现指定窗口尚未载入");
    failure = target.failure;
    if (failure == nullptr) {
      result = property < 8 ? ReadCommonProperty(*target.window, target.index, property)
                            : ReadKindProperty(target, property, fontPart);
    }
  });
  if (failure != nullptr) {
    Report(failure, windowId, unitId);
  }
  return result;
}

void WriteUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t fontPart,
                       uint32_t valueLow, uint32_t valueHigh) {
  const char* failure = nullptr;
  RunOnUiThread([&] {
    const Target target =
        FindTarget(windowId, unitId, property, "修改组件属性时发现指定窗口尚未载入");
    failure = target.failure;
    if (failure != nullptr) {
      return;
    }
    if (property < 8) {
      WriteCommonProperty(*target.window, target.index, property, valueLow, valueHigh);
    } else {
      WriteKindProperty(target, property, fontPart, valueLow, valueHigh);
    }
  });
  if (failure != nullptr) {
    Report(failure, windowId, unitId);
  }
}

intptr_t UnitPropertyHelper(int32_t helper, int32_t count, const intptr_t* args) {
  auto word = [&](int32_t i) { return i < count ? static_cast<uint32_t>(args[i]) : 0u; };
  if (helper == 4) {
    return static_cast<intptr_t>(ReadUnitProperty(word(0), word(1), static_cast<int32_t>(word(2)),
                                                  static_cast<int32_t>(word(3))));
  }
  WriteUnitProperty(word(0), word(1), static_cast<int32_t>(word(2)), static_cast<int32_t>(word(3)),
                    word(4), word(5));
  return 0;
}

}  // namespace mnemora
