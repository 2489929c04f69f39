// The stored form description: the window set, each window's unit table and
// the unit records, read from and written to their byte format. The records
// stay bytes in memory (property writes replace byte ranges in them); live
// objects are kept beside them by the window system. Free of <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mnemora {

using Bytes = std::vector<uint8_t>;

// A window's records in table order: record 0 is the window's own.
struct UnitTable {
  std::vector<uint32_t> ids;
  std::vector<Bytes> records;

  size_t Count() const { return ids.size(); }
  // Index of the record with this id, or -1. An invalid id is never found.
  int IndexOf(uint32_t id) const;

  bool operator==(const UnitTable&) const = default;
};

struct WindowDescription {
  uint32_t windowId = 0;
  uint32_t firstDword = 0;   // 0 in this program; not used by loading
  uint32_t secondDword = 0;  // a class-9 id; not used by loading
  std::string firstText;     // empty in this program
  std::string secondText;    // empty in this program
  UnitTable table;

  bool operator==(const WindowDescription&) const = default;
};

// Ids: category bits 28-31, class bits 24-27, serial bits 0-15.
bool IsValidId(uint32_t id);
bool IsMenuItemId(uint32_t id);  // class 6, category 2

// Unit kinds: library number in the high word, type number in the low word.
namespace unit_kind {
inline constexpr uint32_t kWindow = 0x00010001;
inline constexpr uint32_t kMenuItem = 0x00010003;
inline constexpr uint32_t kEditBox = 0x00010005;
inline constexpr uint32_t kDrawPanel = 0x00010008;
inline constexpr uint32_t kGroupBox = 0x00010009;
inline constexpr uint32_t kLabel = 0x0001000A;
inline constexpr uint32_t kButton = 0x0001000B;
inline constexpr uint32_t kListBox = 0x0001000F;
inline constexpr uint32_t kTransparentLabel = 0x00020005;
}  // namespace unit_kind

// False when the data ends early or a length is impossible; *windows is
// then left empty. Bytes after the last window are ignored. Every record of
// a successful read can be walked: menu items (by id) as ParseMenuItemRecord
// does, all others, and record 0 whatever its id, as LocateRecordFields does.
// A window may have no records at all; loading it fails.
bool ReadWindowSet(const uint8_t* data, size_t length, std::vector<WindowDescription>* windows);
Bytes WriteWindowSet(const std::vector<WindowDescription>& windows);

struct EventBinding {
  int32_t event;
  int32_t handler;  // stored reference: -1 none, otherwise a routine number

  bool operator==(const EventBinding&) const = default;
};

// Everything a unit record holds, as fields.
struct UnitRecordFields {
  uint32_t kind = 0;
  uint32_t eventSource = 0;
  std::string name;
  std::string secondName;
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint32_t parent = 0;
  std::vector<uint32_t> children;
  Bytes mousePointer;  // counted bytes; empty = default pointer
  std::string tag;
  uint32_t stateFlags = 0;
  uint32_t tabOrder = 0;
  std::vector<EventBinding> events;
  Bytes propertyBlock;  // may be empty

  bool operator==(const UnitRecordFields&) const = default;
};

Bytes BuildUnitRecord(const UnitRecordFields& fields);
// False when the record is truncated.
bool ParseUnitRecord(const Bytes& record, UnitRecordFields* fields);

// Byte offsets of a record's fields, found by walking its variable parts.
struct RecordLayout {
  size_t kind = 0;                 // dword
  size_t eventSource = 4;          // dword
  size_t name = 24;                // zero-terminated
  size_t secondName = 0;           // zero-terminated
  size_t objectSlot = 0;           // dword, 0 when stored
  size_t position = 0;             // left, top, width, height: four dwords
  size_t cursorSlot = 0;           // dword, 0 when stored
  size_t parent = 0;               // dword
  size_t childCount = 0;           // dword, then the child list
  size_t mousePointer = 0;         // counted bytes (length dword first)
  size_t tag = 0;                  // zero-terminated
  size_t stateFlags = 0;           // dword (after the reserved dword)
  size_t tabOrder = 0;             // dword
  size_t eventCount = 0;           // dword, then the bindings
  size_t propertyBlock = 0;        // after the 20 reserved bytes
  size_t propertyBlockLength = 0;  // 0: no block
};
// False when the record ends early or is a menu item (kind 0x00010003).
bool LocateRecordFields(const Bytes& record, RecordLayout* layout);

// A menu item record: the first fields of a unit record up to the second
// name, then its own. The main window has none.
struct MenuItemFields {
  uint32_t kind = unit_kind::kMenuItem;
  uint32_t eventSource = 0;
  std::string name;
  std::string secondName;
  uint32_t shortcut = 0;
  uint32_t reserved = 0;  // stored and kept; not used by this program
  uint32_t flags = 0;     // bit 0 hidden, bit 1 disabled, bit 2 checked
  std::string caption;
  int32_t handler = -1;  // stored reference of its one event, the selection

  bool operator==(const MenuItemFields&) const = default;
};

Bytes BuildMenuItemRecord(const MenuItemFields& fields);
// False when the record ends early or has bytes after the handler.
bool ParseMenuItemRecord(const Bytes& record, MenuItemFields* fields);
// Offset of the handler reference dword; false as for ParseMenuItemRecord.
bool LocateMenuItemHandler(const Bytes& record, size_t* offset);

// Little-endian dword access inside a record; the four bytes must lie
// inside it (anything else is a programming error and ends the process).
uint32_t ReadRecordDword(const Bytes& record, size_t offset);
void WriteRecordDword(Bytes* record, size_t offset, uint32_t value);

// Replaces length bytes at offset with replacement (of any length); the
// record grows or shrinks and later fields move. The range must lie inside
// the record, as for the dword access.
void ReplaceRecordBytes(Bytes* record, size_t offset, size_t length, const Bytes& replacement);

}  // namespace mnemora
