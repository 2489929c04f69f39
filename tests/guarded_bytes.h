// A copy of some bytes that ends exactly where an inaccessible page begins:
// a reader that looks even one byte past the end crashes the test instead
// of reading whatever lies there. Built for Windows and, in the native
// build, for the build machine.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <cstring>

namespace mnemora {

class GuardedBytes {
 public:
  GuardedBytes(const uint8_t* data, size_t length) : length_(length) {
    const size_t page = PageSize();
    const size_t dataPages = (length + page - 1) / page + 1;
    size_ = (dataPages + 1) * page;
    base_ = Reserve(size_);
    guardOk_ = base_ != nullptr && Protect(base_ + dataPages * page, page);
    if (base_ != nullptr) {
      start_ = base_ + dataPages * page - length;
      std::memcpy(start_, data, length);
    }
  }
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;
  ~GuardedBytes() {
    if (base_ != nullptr) {
      Release(base_, size_);
    }
  }

  // False when the guard page could not be set up.
  bool ok() const { return guardOk_; }
  const uint8_t* data() const { return start_; }
  size_t size() const { return length_; }

 private:
#if defined(_WIN32)
  static size_t PageSize() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
  }
  static uint8_t* Reserve(size_t size) {
    return static_cast<uint8_t*>(
        VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  }
  static bool Protect(uint8_t* at, size_t size) {
    DWORD previous = 0;
    return VirtualProtect(at, size, PAGE_NOACCESS, &previous) != 0;
  }
  static void Release(uint8_t* base, size_t) {
    VirtualFree(base, 0, MEM_RELEASE);
  }
#else
  static size_t PageSize() {
    return static_cast<size_t>(sysconf(_SC_PAGESIZE));
  }
  static uint8_t* Reserve(size_t size) {
    void* base = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return base == MAP_FAILED ? nullptr : static_cast<uint8_t*>(base);
  }
  static bool Protect(uint8_t* at, size_t size) {
    return mprotect(at, size, PROT_NONE) == 0;
  }
  static void Release(uint8_t* base, size_t size) {
    munmap(base, size);
  }
#endif

  uint8_t* base_ = nullptr;
  uint8_t* start_ = nullptr;
  size_t size_ = 0;
  size_t length_ = 0;
  bool guardOk_ = false;
};

}  // namespace mnemora
