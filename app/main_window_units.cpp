#include "app/main_window_units.h"

#include <cstring>

#include "runtime/entry_table.h"
#include "window/window_commands.h"

namespace mnemora::app {
namespace {

// Every property access the application makes passes -1 as the font part.
constexpr int32_t kWholeValue = -1;

void WriteBits(const Unit& unit, int32_t number, uint64_t bits) {
  kEntryTable.WriteUnitProperty(kMainWindowId, unit.id, number, kWholeValue,
                                static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32));
}

}  // namespace

ArgValue UnitRef(const Unit& unit) {
  return ArgValue{kMainWindowId, unit.id, unit.kind};
}

ArgValue WindowRef(uint32_t windowId) {
  return ArgValue{windowId, unit::kWindowRecord, type_code::kWindowReference};
}

OwnedText ReadTextProperty(const Unit& unit, int32_t number) {
  const uint64_t value = kEntryTable.ReadUnitProperty(kMainWindowId, unit.id, number, kWholeValue);
  return OwnedText(reinterpret_cast<char*>(static_cast<uintptr_t>(value)));
}

int32_t ReadIntegerProperty(const Unit& unit, int32_t number) {
  return static_cast<int32_t>(
      kEntryTable.ReadUnitProperty(kMainWindowId, unit.id, number, kWholeValue));
}

void WriteTextProperty(const Unit& unit, int32_t number, const char* text) {
  WriteBits(unit, number, reinterpret_cast<uintptr_t>(text != nullptr ? text : ""));
}

void WriteIntegerProperty(const Unit& unit, int32_t number, int32_t value) {
  WriteBits(unit, number, static_cast<uint32_t>(value));
}

void WriteBooleanProperty(const Unit& unit, int32_t number, bool value) {
  WriteBits(unit, number, value ? 1 : 0);
}

void WriteBytesProperty(const Unit& unit, int32_t number, std::span<const uint8_t> bytes) {
  const uint32_t header[2] = {1, static_cast<uint32_t>(bytes.size())};
  auto* block = static_cast<uint8_t*>(
      kEntryTable.MemAlloc(static_cast<int32_t>(sizeof header + bytes.size())));
  std::memcpy(block, header, sizeof header);
  std::memcpy(block + sizeof header, bytes.data(), bytes.size());
  WriteBits(unit, number, reinterpret_cast<uintptr_t>(block));
  kEntryTable.MemFree(block);
}

bool MainWindowOpen() {
  return CallCore(GetWindowHandle, {WindowRef()}).AsInt32() != 0;
}

}  // namespace mnemora::app
