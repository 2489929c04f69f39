// The global operator new of every program on the runtime: a request the
// C library cannot grant ends in the run-time error report, with the byte
// count asked for, as a failed MemAlloc does, so a C++ container that
// cannot grow never ends the program through std::bad_alloc instead. The
// nothrow forms still give null. (Not in the native build, whose
// AddressSanitizer has its own operator new.)
#include <malloc.h>

#include <cstdlib>
#include <new>

#include "runtime/heap_blocks.h"

namespace {

void* AllocateOrReport(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) {
    mnemora::ReportAllocationFailure(static_cast<int64_t>(size));
  }
  return block;
}

void* AllocateAlignedOrReport(std::size_t size, std::align_val_t alignment) {
  // The C runtime's aligned blocks, which the library's aligned delete frees.
  void* block = _aligned_malloc(size == 0 ? 1 : size, static_cast<std::size_t>(alignment));
  if (block == nullptr) {
    mnemora::ReportAllocationFailure(static_cast<int64_t>(size));
  }
  return block;
}

}  // namespace

void* operator new(std::size_t size) {
  return AllocateOrReport(size);
}

void* operator new[](std::size_t size) {
  return AllocateOrReport(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}

void* operator new(std::size_t size, std::align_val_t alignment) {
  return AllocateAlignedOrReport(size, alignment);
}

void* operator new[](std::size_t size, std::align_val_t alignment) {
  return AllocateAlignedOrReport(size, alignment);
}
