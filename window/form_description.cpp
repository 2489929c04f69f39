#include "window/form_description.h"

#include <algorithm>

#include "runtime/assertion.h"
#include "window/form_bytes.h"

namespace mnemora {
namespace {

constexpr uint32_t IdCategory(uint32_t id) {
  return id >> 28;
}
constexpr uint32_t IdClass(uint32_t id) {
  return (id >> 24) & 0xF;
}

// Every record starts with the kind, the event source and these reserved
// bytes; the name follows.
constexpr size_t kReservedAfterEventSource = 16;
constexpr size_t kReservedAfterBindings = 20;

// A table body: R ids, R offsets counted from the end of the offset array,
// then each record as a dword length and its bytes.
bool ReadTableBody(const Bytes& body, uint32_t count, UnitTable* table) {
  ByteReader reader(body);
  if (count > body.size() / 8) {
    return false;
  }
  table->ids.resize(count);
  for (uint32_t& id : table->ids) {
    id = reader.Dword();
  }
  std::vector<uint32_t> offsets(count);
  for (uint32_t& offset : offsets) {
    offset = reader.Dword();
  }
  const size_t recordsStart = reader.Position();
  table->records.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    if (offsets[i] > body.size() - recordsStart) {
      return false;
    }
    ByteReader record(body.data() + recordsStart + offsets[i],
                      body.size() - recordsStart - offsets[i]);
    const int32_t length = record.SignedDword();
    if (length < 0) {
      return false;
    }
    record.Skip(static_cast<uint32_t>(length));
    if (record.Failed()) {
      return false;
    }
    const uint8_t* start = body.data() + recordsStart + offsets[i] + 4;
    table->records[i].assign(start, start + length);
  }
  return true;
}

// True when the record can be walked to its end as its place and id say it
// must: record 0 is the window's own, whatever its id.
bool RecordIsWalkable(size_t index, uint32_t id, const Bytes& record) {
  if (index != 0 && IsMenuItemId(id)) {
    size_t handler = 0;
    return LocateMenuItemHandler(record, &handler);
  }
  RecordLayout layout;
  return LocateRecordFields(record, &layout);
}

bool ReadWindowDescription(ByteReader* reader, WindowDescription* window) {
  window->firstDword = reader->Dword();
  window->secondDword = reader->Dword();
  window->firstText = reader->CountedText();
  window->secondText = reader->CountedText();
  const uint32_t recordCount = reader->Dword();
  const Bytes body = reader->CountedBytes();
  if (reader->Failed() || !ReadTableBody(body, recordCount, &window->table)) {
    return false;
  }
  for (size_t i = 0; i < window->table.Count(); ++i) {
    if (!RecordIsWalkable(i, window->table.ids[i], window->table.records[i])) {
      return false;
    }
  }
  return true;
}

bool ReadWindows(const uint8_t* data, size_t length, std::vector<WindowDescription>* windows) {
  ByteReader reader(data, length);
  const Bytes idArray = reader.CountedBytes();
  if (reader.Failed() || idArray.size() % 8 != 0) {
    return false;
  }
  // The second half of the id array holds object slots: nothing to keep.
  const size_t count = idArray.size() / 8;
  ByteReader ids(idArray);
  windows->resize(count);
  for (WindowDescription& window : *windows) {
    window.windowId = ids.Dword();
    if (!ReadWindowDescription(&reader, &window)) {
      return false;
    }
  }
  return true;
}

Bytes WriteTableBody(const UnitTable& table) {
  // A table is always built with one record per id.
  MNEMORA_ASSERT(table.ids.size() == table.records.size());
  ByteWriter writer;
  for (uint32_t id : table.ids) {
    writer.Dword(id);
  }
  uint32_t offset = 0;
  for (const Bytes& record : table.records) {
    writer.Dword(offset);
    offset += static_cast<uint32_t>(4 + record.size());
  }
  for (const Bytes& record : table.records) {
    writer.CountedBytes(record);
  }
  return writer.Take();
}

void CheckRange(const Bytes& record, size_t offset, size_t length) {
  // Offsets come from LocateRecordFields, so they always fit.
  MNEMORA_ASSERT(offset <= record.size() && length <= record.size() - offset);
}

// Walks a menu item record to its handler dword, filling fields on the way.
bool WalkMenuItem(const Bytes& record, MenuItemFields* fields, size_t* handlerOffset) {
  ByteReader reader(record);
  fields->kind = reader.Dword();
  fields->eventSource = reader.Dword();
  reader.Skip(kReservedAfterEventSource);
  fields->name = reader.ZeroTerminatedText();
  fields->secondName = reader.ZeroTerminatedText();
  fields->shortcut = reader.Dword();
  fields->reserved = reader.Dword();
  fields->flags = reader.Dword();
  fields->caption = reader.ZeroTerminatedText();
  *handlerOffset = reader.Position();
  fields->handler = reader.SignedDword();
  return reader.Finished();
}

}  // namespace

int UnitTable::IndexOf(uint32_t id) const {
  if (!IsValidId(id) || ids.empty()) {
    return -1;
  }
  if (ids.front() == id) {
    return 0;
  }
  for (size_t i = 1; i < ids.size(); ++i) {
    if (ids[i] == id) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool IsValidId(uint32_t id) {
  return (id & 0x00FFFFFF) != 0 && IdClass(id) != 0;
}

bool IsMenuItemId(uint32_t id) {
  return IsValidId(id) && IdClass(id) == 6 && IdCategory(id) == 2;
}

bool ReadWindowSet(const uint8_t* data, size_t length, std::vector<WindowDescription>* windows) {
  std::vector<WindowDescription> read;
  if (!ReadWindows(data, length, &read)) {
    windows->clear();
    return false;
  }
  *windows = std::move(read);
  return true;
}

Bytes WriteWindowSet(const std::vector<WindowDescription>& windows) {
  ByteWriter idArray;
  for (const WindowDescription& window : windows) {
    idArray.Dword(window.windowId);
  }
  idArray.Zeros(4 * windows.size());

  ByteWriter writer;
  writer.CountedBytes(idArray.bytes());
  for (const WindowDescription& window : windows) {
    writer.Dword(window.firstDword);
    writer.Dword(window.secondDword);
    writer.CountedText(window.firstText);
    writer.CountedText(window.secondText);
    writer.Dword(static_cast<uint32_t>(window.table.Count()));
    writer.CountedBytes(WriteTableBody(window.table));
  }
  return writer.Take();
}

Bytes BuildUnitRecord(const UnitRecordFields& fields) {
  ByteWriter writer;
  writer.Dword(fields.kind);
  writer.Dword(fields.eventSource);
  writer.Zeros(16);
  writer.ZeroTerminatedText(fields.name);
  writer.ZeroTerminatedText(fields.secondName);
  writer.Dword(0);  // object slot
  writer.SignedDword(fields.left);
  writer.SignedDword(fields.top);
  writer.SignedDword(fields.width);
  writer.SignedDword(fields.height);
  writer.Dword(0);  // cursor slot
  writer.Dword(fields.parent);
  writer.Dword(static_cast<uint32_t>(fields.children.size()));
  for (uint32_t child : fields.children) {
    writer.Dword(child);
  }
  writer.CountedBytes(fields.mousePointer);
  writer.ZeroTerminatedText(fields.tag);
  writer.Dword(0);
  writer.Dword(fields.stateFlags);
  writer.Dword(fields.tabOrder);
  writer.Dword(static_cast<uint32_t>(fields.events.size()));
  for (const EventBinding& binding : fields.events) {
    writer.SignedDword(binding.event);
    writer.SignedDword(binding.handler);
  }
  writer.Zeros(kReservedAfterBindings);
  writer.Raw(fields.propertyBlock);
  return writer.Take();
}

bool ParseUnitRecord(const Bytes& record, UnitRecordFields* fields) {
  RecordLayout layout;
  if (!LocateRecordFields(record, &layout)) {
    return false;
  }
  ByteReader reader(record);
  UnitRecordFields parsed;
  parsed.kind = reader.Dword();
  parsed.eventSource = reader.Dword();
  reader.Skip(kReservedAfterEventSource);
  parsed.name = reader.ZeroTerminatedText();
  parsed.secondName = reader.ZeroTerminatedText();
  reader.Dword();  // object slot
  parsed.left = reader.SignedDword();
  parsed.top = reader.SignedDword();
  parsed.width = reader.SignedDword();
  parsed.height = reader.SignedDword();
  reader.Dword();  // cursor slot
  parsed.parent = reader.Dword();
  parsed.children.resize(reader.Dword());
  for (uint32_t& child : parsed.children) {
    child = reader.Dword();
  }
  parsed.mousePointer = reader.CountedBytes();
  parsed.tag = reader.ZeroTerminatedText();
  reader.Dword();
  parsed.stateFlags = reader.Dword();
  parsed.tabOrder = reader.Dword();
  parsed.events.resize(reader.Dword());
  for (EventBinding& binding : parsed.events) {
    binding.event = reader.SignedDword();
    binding.handler = reader.SignedDword();
  }
  parsed.propertyBlock.assign(record.begin() + static_cast<ptrdiff_t>(layout.propertyBlock),
                              record.end());
  *fields = std::move(parsed);
  return true;
}

bool LocateRecordFields(const Bytes& record, RecordLayout* layout) {
  ByteReader reader(record);
  RecordLayout found;
  if (reader.Dword() == unit_kind::kMenuItem) {
    return false;
  }
  reader.Skip(4 + kReservedAfterEventSource);
  found.name = reader.Position();
  reader.ZeroTerminatedText();
  found.secondName = reader.Position();
  reader.ZeroTerminatedText();
  found.objectSlot = reader.Position();
  reader.Skip(1, 4);
  found.position = reader.Position();
  reader.Skip(4, 4);
  found.cursorSlot = reader.Position();
  reader.Skip(1, 4);
  found.parent = reader.Position();
  reader.Skip(1, 4);
  found.childCount = reader.Position();
  reader.Skip(reader.Dword(), 4);
  found.mousePointer = reader.Position();
  reader.CountedBytes();
  found.tag = reader.Position();
  reader.ZeroTerminatedText();
  reader.Skip(1, 4);
  found.stateFlags = reader.Position();
  reader.Skip(1, 4);
  found.tabOrder = reader.Position();
  reader.Skip(1, 4);
  found.eventCount = reader.Position();
  reader.Skip(reader.Dword(), 8);
  reader.Skip(kReservedAfterBindings);
  if (reader.Failed()) {
    return false;
  }
  found.propertyBlock = reader.Position();
  found.propertyBlockLength = reader.Remaining();
  *layout = found;
  return true;
}

Bytes BuildMenuItemRecord(const MenuItemFields& fields) {
  ByteWriter writer;
  writer.Dword(fields.kind);
  writer.Dword(fields.eventSource);
  writer.Zeros(16);
  writer.ZeroTerminatedText(fields.name);
  writer.ZeroTerminatedText(fields.secondName);
  writer.Dword(fields.shortcut);
  writer.Dword(fields.reserved);
  writer.Dword(fields.flags);
  writer.ZeroTerminatedText(fields.caption);
  writer.SignedDword(fields.handler);
  return writer.Take();
}

bool ParseMenuItemRecord(const Bytes& record, MenuItemFields* fields) {
  MenuItemFields parsed;
  size_t handlerOffset = 0;
  if (!WalkMenuItem(record, &parsed, &handlerOffset)) {
    return false;
  }
  *fields = std::move(parsed);
  return true;
}

bool LocateMenuItemHandler(const Bytes& record, size_t* offset) {
  MenuItemFields parsed;
  size_t handlerOffset = 0;
  if (!WalkMenuItem(record, &parsed, &handlerOffset)) {
    return false;
  }
  *offset = handlerOffset;
  return true;
}

uint32_t ReadRecordDword(const Bytes& record, size_t offset) {
  CheckRange(record, offset, 4);
  ByteReader reader(record.data() + offset, 4);
  return reader.Dword();
}

void WriteRecordDword(Bytes* record, size_t offset, uint32_t value) {
  CheckRange(*record, offset, 4);
  ByteWriter writer;
  writer.Dword(value);
  std::copy(writer.bytes().begin(), writer.bytes().end(), record->begin() + offset);
}

void ReplaceRecordBytes(Bytes* record, size_t offset, size_t length, const Bytes& replacement) {
  CheckRange(*record, offset, length);
  const auto start = record->begin() + static_cast<ptrdiff_t>(offset);
  const auto overlap = std::min(length, replacement.size());
  std::copy(replacement.begin(), replacement.begin() + static_cast<ptrdiff_t>(overlap), start);
  if (replacement.size() > length) {
    record->insert(start + static_cast<ptrdiff_t>(length),
                   replacement.begin() + static_cast<ptrdiff_t>(length), replacement.end());
  } else {
    record->erase(start + static_cast<ptrdiff_t>(overlap), start + static_cast<ptrdiff_t>(length));
  }
}

}  // namespace mnemora
