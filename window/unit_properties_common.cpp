#include "window/unit_properties_common.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "runtime/heap_blocks.h"
#include "runtime/runtime_app.h"
#include "window/unit_cursors.h"
#include "window/units/window_kind.h"

namespace mnemora {
namespace {

constexpr uint32_t kFlagVisible = 1;
constexpr uint32_t kFlagDisabled = 2;
constexpr uint32_t kNeverShown = 0x8000;
constexpr int32_t kPositionLimit = 32627;

std::string TagOf(const Bytes& record, const RecordLayout& layout) {
  return std::string(reinterpret_cast<const char*>(record.data() + layout.tag));
}

Bytes PointerBytesOf(const Bytes& record, const RecordLayout& layout) {
  const auto length = static_cast<int32_t>(ReadRecordDword(record, layout.mousePointer));
  if (length <= 0) {
    return Bytes();
  }
  const auto* start = record.data() + layout.mousePointer + 4;
  return Bytes(start, start + length);
}

uint64_t PointerValue(const void* block) {
  return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(block));
}

const void* ValuePointer(uint32_t low, uint32_t high) {
  return reinterpret_cast<const void*>(
      static_cast<uintptr_t>(static_cast<uint64_t>(high) << 32 | low));
}

// Menu items: 0 caption, 1 checked, 2 disabled, 3 visible, all kept in the
// record's flags (bit 0 hidden, bit 1 disabled, bit 2 checked).
constexpr uint32_t kMenuHidden = 1;
constexpr uint32_t kMenuDisabled = 2;
constexpr uint32_t kMenuChecked = 4;

uint64_t ReadMenuItemProperty(const Bytes& record, int32_t property) {
  MenuItemFields item;
  if (!ParseMenuItemRecord(record, &item)) {
    return 0;
  }
  switch (property) {
    case 0:
      return PointerValue(MakeText(item.caption.data(), item.caption.size()));
    case 1:
      return (item.flags & kMenuChecked) != 0;
    case 2:
      return (item.flags & kMenuDisabled) != 0;
    case 3:
      return (item.flags & kMenuHidden) == 0;
    default:
      return 0;
  }
}

// The record is rebuilt from its fields, so nothing is written at an offset
// of the unit layout, which a menu item does not have.
void WriteMenuItemProperty(Bytes* record, int32_t property, uint32_t valueLow, uint32_t valueHigh) {
  MenuItemFields item;
  if (!ParseMenuItemRecord(*record, &item)) {
    return;
  }
  auto setFlag = [&](uint32_t flag, bool on) {
    item.flags = on ? item.flags | flag : item.flags & ~flag;
  };
  switch (property) {
    case 0: {
      const auto* text = static_cast<const char*>(ValuePointer(valueLow, valueHigh));
      item.caption = text != nullptr ? text : "";
      break;
    }
    case 1:
      setFlag(kMenuChecked, valueLow != 0);
      break;
    case 2:
      setFlag(kMenuDisabled, valueLow != 0);
      break;
    case 3:
      setFlag(kMenuHidden, valueLow == 0);
      break;
    default:
      return;
  }
  *record = BuildMenuItemRecord(item);
}

void SetFlag(Bytes* record, const RecordLayout& layout, uint32_t flag, bool on) {
  const uint32_t flags = ReadRecordDword(*record, layout.stateFlags);
  WriteRecordDword(record, layout.stateFlags, on ? flags | flag : flags & ~flag);
}

void MoveLive(HWND handle, int32_t property, int32_t value) {
  RECT r = UnitRectangle(handle);
  int left = r.left;
  int top = r.top;
  int width = r.right - r.left;
  int height = r.bottom - r.top;
  UINT keep = SWP_NOZORDER | SWP_NOACTIVATE;
  switch (property) {
    case 0:
      left = value;
      keep |= SWP_NOSIZE;
      break;
    case 1:
      top = value;
      keep |= SWP_NOSIZE;
      break;
    case 2:
      width = value;
      keep |= SWP_NOMOVE;
      break;
    default:
      height = value;
      keep |= SWP_NOMOVE;
      break;
  }
  SetWindowPos(handle, nullptr, left, top, width, height, keep);
}

void WritePointer(LiveWindow& window, size_t index, const RecordLayout& layout, uint32_t low,
                  uint32_t high) {
  Bytes& record = window.description.table.records[index];
  RecordLive& live = window.live[index];
  if (live.ownsCursor && live.cursor != nullptr) {
    DestroyCursor(live.cursor);
  }
  live.cursor = nullptr;
  live.ownsCursor = false;
  const void* block = ValuePointer(low, high);
  const uint8_t* given = ByteSetBytes(block);
  const Bytes bytes = PointerBytesFromApplication(
      given == nullptr ? Bytes() : Bytes(given, given + ByteSetSize(block)));
  const auto oldLength = static_cast<int32_t>(ReadRecordDword(record, layout.mousePointer));
  const auto newLength = static_cast<uint32_t>(bytes.size());
  Bytes counted(4 + bytes.size());
  std::memcpy(counted.data(), &newLength, 4);
  if (!bytes.empty()) {
    std::memcpy(counted.data() + 4, bytes.data(), bytes.size());
  }
  ReplaceRecordBytes(&record, layout.mousePointer, 4 + static_cast<size_t>(std::max(oldLength, 0)),
                     counted);
  live.cursor = LoadUnitPointer(bytes, &live.ownsCursor);
  if (LiveHandle(window, index) != nullptr) {
    // Moving the cursor onto itself makes the new pointer show at once.
    POINT at;
    GetCursorPos(&at);
    SetCursorPos(at.x, at.y);
  }
}

}  // namespace

HWND LiveHandle(const LiveWindow& window, size_t index) {
  const UnitObject* object = window.live[index].object.get();
  return object != nullptr && IsWindow(object->Handle()) ? object->Handle() : nullptr;
}

RECT UnitRectangle(HWND handle) {
  RECT r;
  GetWindowRect(handle, &r);
  if ((GetWindowLongPtrA(handle, GWL_STYLE) & WS_CHILD) != 0) {
    MapWindowPoints(HWND_DESKTOP, GetParent(handle), reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

uint64_t ReadCommonProperty(LiveWindow& window, size_t index, int32_t property) {
  const Bytes& record = window.description.table.records[index];
  if (IsMenuItemId(window.description.table.ids[index])) {
    return ReadMenuItemProperty(record, property);
  }
  RecordLayout layout;
  if (!LocateRecordFields(record, &layout)) {
    return 0;
  }
  HWND handle = LiveHandle(window, index);
  const LONG_PTR style = handle != nullptr ? GetWindowLongPtrA(handle, GWL_STYLE) : 0;
  const uint32_t flags = ReadRecordDword(record, layout.stateFlags);
  switch (property) {
    case 0:
    case 1:
    case 2:
    case 3: {
      if (handle == nullptr) {
        return ReadRecordDword(record, layout.position + 4 * static_cast<size_t>(property));
      }
      const RECT r = UnitRectangle(handle);
      const LONG values[4] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
      return static_cast<uint32_t>(values[property]);
    }
    case 4: {
      const std::string tag = TagOf(record, layout);
      return PointerValue(MakeText(tag.data(), tag.size()));
    }
    case 5:
      return handle != nullptr ? (style & WS_VISIBLE) != 0 : (flags & kFlagVisible) != 0;
    case 6:
      return handle != nullptr ? (style & WS_DISABLED) != 0 : (flags & kFlagDisabled) != 0;
    case 7: {
      const Bytes bytes = PointerBytesToApplication(PointerBytesOf(record, layout));
      return PointerValue(MakeByteSet(bytes.data(), bytes.size()));
    }
    default:
      return 0;
  }
}

void WriteCommonProperty(LiveWindow& window, size_t index, int32_t property, uint32_t valueLow,
                         uint32_t valueHigh) {
  Bytes& record = window.description.table.records[index];
  if (IsMenuItemId(window.description.table.ids[index])) {
    WriteMenuItemProperty(&record, property, valueLow, valueHigh);
    return;
  }
  // Offsets of a record that cannot be walked would name its first bytes.
  RecordLayout layout;
  if (!LocateRecordFields(record, &layout)) {
    return;
  }
  HWND handle = LiveHandle(window, index);
  const auto value = static_cast<int32_t>(valueLow);
  switch (property) {
    case 0:
    case 1:
    case 2:
    case 3: {
      const int32_t clamped = property < 2 ? std::clamp(value, -kPositionLimit, kPositionLimit)
                                           : std::clamp(value, 0, kPositionLimit);
      WriteRecordDword(&record, layout.position + 4 * static_cast<size_t>(property),
                       static_cast<uint32_t>(clamped));
      if (handle != nullptr) {
        MoveLive(handle, property, clamped);
      }
      break;
    }
    case 4: {
      const auto* text = static_cast<const char*>(ValuePointer(valueLow, valueHigh));
      const std::string tag = text != nullptr ? text : "";
      const size_t oldLength = TagOf(record, layout).size() + 1;
      ReplaceRecordBytes(&record, layout.tag, oldLength,
                         Bytes(tag.c_str(), tag.c_str() + tag.size() + 1));
      break;
    }
    case 5: {
      const bool visible = valueLow != 0;
      SetFlag(&record, layout, kFlagVisible, visible);
      if (handle == nullptr) {
        break;
      }
      if (!visible) {
        ShowWindow(handle, SW_HIDE);
      } else if (index == 0) {
        ShowWindowUnit(window.live[0].object.get());
      } else {
        const UnitTypeDescriptor* kind = ResolveUnitKind(window.live[index].object->Kind());
        if (kind == nullptr || (kind->stateFlags & kNeverShown) == 0) {
          ShowWindow(handle, SW_SHOW);
        }
      }
      break;
    }
    case 6:
      SetFlag(&record, layout, kFlagDisabled, valueLow != 0);
      if (handle != nullptr) {
        EnableWindow(handle, valueLow == 0);
      }
      break;
    case 7:
      WritePointer(window, index, layout, valueLow, valueHigh);
      break;
    default:
      break;
  }
}

}  // namespace mnemora
