#include "window/unit_cursors.h"

#include <array>
#include <cstring>

namespace mnemora {
namespace {

constexpr std::array<uint32_t, 15> kCursorTable = {
    0,      // default
    32512,  // arrow
    32515,  // cross
    32513,  // text beam
    32514,  // wait
    32651,  // arrow and question mark
    32650,  // arrow and wait
    32648,  // no
    32646,  // size all
    32643,  // size NE-SW
    32645,  // size N-S
    32642,  // size NW-SE
    32644,  // size W-E
    32516,  // up arrow
    32649,  // hand
};
static_assert(kCursorTable.size() == 15, "indexes 0 to 14");

constexpr uint32_t kHandCursor = 32649;
constexpr int kHandCursorResource = 1032;

uint32_t FirstDword(const Bytes& bytes) {
  uint32_t value;
  std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

Bytes WithFirstDword(Bytes bytes, uint32_t value) {
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

// A cursor file image: the reserved word 0 and the type word 2.
HCURSOR CursorFromImage(const uint8_t* image, size_t length) {
  constexpr size_t kHeader = 6;
  constexpr size_t kEntry = 16;
  if (length < kHeader + kEntry) {
    return nullptr;
  }
  uint32_t size;
  uint32_t offset;
  std::memcpy(&size, image + kHeader + 8, sizeof size);
  std::memcpy(&offset, image + kHeader + 12, sizeof offset);
  if (offset > length || size > length - offset) {
    return nullptr;
  }
  // The resource form of a cursor starts with its hot spot.
  Bytes resource(4 + size);
  std::memcpy(resource.data(), image + kHeader + 4, 4);
  std::memcpy(resource.data() + 4, image + offset, size);
  return reinterpret_cast<HCURSOR>(CreateIconFromResourceEx(
      resource.data(), static_cast<DWORD>(resource.size()), FALSE, 0x00030000, 0, 0, 0));
}

}  // namespace

uint32_t CursorIdForIndex(uint32_t index) {
  return index < kCursorTable.size() ? kCursorTable[index] : index;
}

uint32_t CursorIndexForId(uint32_t id) {
  for (size_t i = 0; i < kCursorTable.size(); ++i) {
    if (kCursorTable[i] == id) {
      return static_cast<uint32_t>(i);
    }
  }
  return id;
}

Bytes PointerBytesToApplication(const Bytes& stored) {
  return stored.size() >= 4 ? WithFirstDword(stored, CursorIndexForId(FirstDword(stored))) : stored;
}

Bytes PointerBytesFromApplication(const Bytes& given) {
  return given.size() >= 4 ? WithFirstDword(given, CursorIdForIndex(FirstDword(given))) : given;
}

HCURSOR LoadUnitPointer(const Bytes& stored, bool* owned) {
  *owned = false;
  if (stored.size() > 10 && FirstDword(stored) != 0xFFFFFFFFu) {
    *owned = true;
    return CursorFromImage(stored.data(), stored.size());
  }
  if (stored.size() > 4 && FirstDword(stored) == 0xFFFFFFFFu) {
    *owned = true;
    return CursorFromImage(stored.data() + 4, stored.size() - 4);
  }
  if (stored.size() < 4) {
    return nullptr;
  }
  const uint32_t id = CursorIdForIndex(FirstDword(stored));
  if (id == 0) {
    return nullptr;
  }
  if (id == kHandCursor) {
    HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kHandCursorResource));
    return own != nullptr ? own : LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
  }
  return LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
}

}  // namespace mnemora
