// The runtime heap and the three kinds of heap block (text, byte set,
// array), plus the program's constant area, from which nothing is freed.
// Free of <windows.h>: the heap itself is reached through a seam.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/arg_value.h"

namespace mnemora {

// How blocks are obtained. Functions return null on failure and never raise.
struct HeapSeam {
  void* (*allocate)(size_t size);
  void* (*reallocate)(void* block, size_t size);
  void (*release)(void* block);
};

void SetRuntimeHeap(const HeapSeam& heap);
const HeapSeam& RuntimeHeap();

// length 0 means there is no constant area.
void SetConstantArea(const void* start, uint32_t length);
void ClearConstantArea();
bool IsInConstantArea(const void* p);
// The constant empty text: the first byte of the constant area when there is
// one, otherwise a static zero byte.
const char* ConstantEmptyText();

// The run-time error "分配 %d 字节内存失败!" with the requested byte count;
// also the end of a failed operator new (runtime/operator_new.cpp).
[[noreturn]] void ReportAllocationFailure(int64_t size);

// Never returns null: a failure is the run-time error "分配 %d 字节内存失败!".
void* MemAlloc(int32_t size);
// Null on failure, without a report.
void* MemAllocQuiet(int32_t size);
// p may be null; a p inside the constant area is copied, never changed.
void* MemRealloc(void* p, int32_t size);
// Ignores null and pointers into the constant area.
void MemFree(void* p);

// Array block header: a dimension count d, d sizes, then the elements.
// Pointer elements (texts, byte sets) are pointer-sized.
uint32_t ArrayDimensionCount(const void* block);
uint32_t ArrayDimensionSize(const void* block, uint32_t dimension);
uint64_t ArrayElementCount(const void* block);
uint8_t* ArrayElements(void* block);
const uint8_t* ArrayElements(const void* block);
// A new one-dimensional array block of count elements of elementSize bytes,
// elements zero-filled.
void* MakeArray(uint32_t count, uint32_t elementSize);
// Size of an element of an array of the given element type.
uint32_t ArrayElementSize(TypeCode elementType);

// Copies a constant-area array block to the heap before it is written to.
void UnshareArray(int32_t elementSize, void** arrayVariable);
// Frees an array block and, for texts and byte sets, the blocks it points to.
void FreeArray(TypeCode type, void* block);

// Numeric value to a 32-bit integer; any other type is a run-time error.
int32_t ToInteger(const ArgValue* value);

// Always a new block, even when every text is empty; null texts count as empty.
char* JoinTexts(int32_t count, const char* const* texts);

// Null for an empty source, otherwise a new zero-terminated block.
char* MakeText(const char* bytes, size_t length);
char* MakeText(const char* zeroTerminated);
// Null for zero bytes, otherwise a new block {1, n, bytes}.
void* MakeByteSet(const void* bytes, size_t length);
uint32_t ByteSetSize(const void* block);
const uint8_t* ByteSetBytes(const void* block);

}  // namespace mnemora
