// A copy of some bytes that ends exactly where an inaccessible page begins:
// a reader that looks even one byte past the end crashes the test instead
// of reading whatever lies there.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace mnemora {

class GuardedBytes {
 public:
  GuardedBytes(const uint8_t* data, size_t length) : length_(length) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const size_t page = info.dwPageSize;
    const size_t dataPages = (length + page - 1) / page + 1;
    size_ = (dataPages + 1) * page;
    base_ = static_cast<uint8_t*>(
        VirtualAlloc(nullptr, size_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD previous = 0;
    guardOk_ = base_ != nullptr &&
               VirtualProtect(base_ + dataPages * page, page, PAGE_NOACCESS, &previous) != 0;
    if (base_ != nullptr) {
      start_ = base_ + dataPages * page - length;
      std::memcpy(start_, data, length);
    }
  }
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;
  ~GuardedBytes() {
    if (base_ != nullptr) {
      VirtualFree(base_, 0, MEM_RELEASE);
    }
  }

  // False when the guard page could not be set up.
  bool ok() const { return guardOk_; }
  const uint8_t* data() const { return start_; }
  size_t size() const { return length_; }

 private:
  uint8_t* base_ = nullptr;
  uint8_t* start_ = nullptr;
  size_t size_ = 0;
  size_t length_ = 0;
  bool guardOk_ = false;
};

}  // namespace mnemora
