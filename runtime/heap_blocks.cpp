#include "runtime/heap_blocks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <cstring>
#include <limits>

#include "runtime/runtime_error.h"

namespace mnemora {
namespace {

// Until the runtime installs its heap, blocks come from the C library, so
// that the value code also works in native builds and early tests.
void* CAllocate(size_t size) {
  return std::malloc(size == 0 ? 1 : size);
}
void* CReallocate(void* block, size_t size) {
  return std::realloc(block, size == 0 ? 1 : size);
}
void CRelease(void* block) {
  std::free(block);
}

HeapSeam g_heap{CAllocate, CReallocate, CRelease};
const uint8_t* g_constantStart = nullptr;
const uint8_t* g_constantEnd = nullptr;
const char kStaticEmptyText[1] = {0};

// A negative request is a request the heap can never grant.
size_t RequestSize(int32_t size) {
  return size < 0 ? std::numeric_limits<size_t>::max() : static_cast<size_t>(size);
}

// Internal sizes are checked against what MemAlloc can be asked for.
int32_t CheckedSize(uint64_t size) {
  if (size > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
    ReportAllocationFailure(static_cast<int64_t>(size));
  }
  return static_cast<int32_t>(size);
}

uint32_t ReadWord(const void* at) {
  uint32_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

void WriteWord(void* at, uint32_t word) {
  std::memcpy(at, &word, sizeof word);
}

uint64_t ArrayBlockLength(const void* block, uint32_t elementSize) {
  const uint32_t d = ArrayDimensionCount(block);
  return 4 + 4ull * d + elementSize * ArrayElementCount(block);
}

}  // namespace

void ReportAllocationFailure(int64_t size) {
  char message[64];
  std::snprintf(message, sizeof message, "分配 %lld 字节内存失败!", static_cast<long long>(size));
  RaiseRuntimeError(message, 0, 0, 0);
}

void SetRuntimeHeap(const HeapSeam& heap) {
  g_heap = heap;
}
const HeapSeam& RuntimeHeap() {
  return g_heap;
}

void SetConstantArea(const void* start, uint32_t length) {
  if (start == nullptr || length == 0) {
    ClearConstantArea();
    return;
  }
  g_constantStart = static_cast<const uint8_t*>(start);
  g_constantEnd = g_constantStart + length;
}

void ClearConstantArea() {
  g_constantStart = nullptr;
  g_constantEnd = nullptr;
}

bool IsInConstantArea(const void* p) {
  const auto* byte = static_cast<const uint8_t*>(p);
  return g_constantStart != nullptr && std::less_equal<>()(g_constantStart, byte) &&
         std::less<>()(byte, g_constantEnd);
}

const char* ConstantEmptyText() {
  return g_constantStart != nullptr ? reinterpret_cast<const char*>(g_constantStart)
                                    : kStaticEmptyText;
}

void* MemAlloc(int32_t size) {
  void* block = g_heap.allocate(RequestSize(size));
  if (block == nullptr) {
    ReportAllocationFailure(size);
  }
  return block;
}

void* MemAllocQuiet(int32_t size) {
  return g_heap.allocate(RequestSize(size));
}

void* MemRealloc(void* p, int32_t size) {
  if (p == nullptr) {
    return MemAlloc(size);
  }
  if (IsInConstantArea(p)) {
    auto* copy = static_cast<uint8_t*>(MemAlloc(size));
    const auto* from = static_cast<const uint8_t*>(p);
    const size_t available = static_cast<size_t>(g_constantEnd - from);
    std::memcpy(copy, from, std::min(RequestSize(size), available));
    return copy;
  }
  void* block = g_heap.reallocate(p, RequestSize(size));
  if (block == nullptr) {
    ReportAllocationFailure(size);
  }
  return block;
}

void MemFree(void* p) {
  if (p == nullptr || IsInConstantArea(p)) {
    return;
  }
  g_heap.release(p);
}

uint32_t ArrayDimensionCount(const void* block) {
  return ReadWord(block);
}

uint32_t ArrayDimensionSize(const void* block, uint32_t dimension) {
  return ReadWord(static_cast<const uint8_t*>(block) + 4 + 4 * dimension);
}

uint64_t ArrayElementCount(const void* block) {
  const uint32_t d = ArrayDimensionCount(block);
  uint64_t count = d == 0 ? 0 : 1;
  for (uint32_t i = 0; i < d; ++i) {
    count *= ArrayDimensionSize(block, i);
  }
  return count;
}

uint8_t* ArrayElements(void* block) {
  return static_cast<uint8_t*>(block) + 4 + 4 * ArrayDimensionCount(block);
}

const uint8_t* ArrayElements(const void* block) {
  return static_cast<const uint8_t*>(block) + 4 + 4 * ArrayDimensionCount(block);
}

void* MakeArray(uint32_t count, uint32_t elementSize) {
  const int32_t length = CheckedSize(8 + static_cast<uint64_t>(count) * elementSize);
  auto* block = static_cast<uint8_t*>(MemAlloc(length));
  WriteWord(block, 1);
  WriteWord(block + 4, count);
  std::memset(block + 8, 0, static_cast<size_t>(length) - 8);
  return block;
}

uint32_t ArrayElementSize(TypeCode elementType) {
  switch (elementType) {
    case type_code::kByte:
      return 1;
    case type_code::kShort:
      return 2;
    case type_code::kLong:
    case type_code::kDouble:
    case type_code::kDateTime:
    case type_code::kEightByte:
      return 8;
    case type_code::kText:
    case type_code::kByteSet:
    case type_code::kSubroutine:
      return sizeof(void*);
    default:
      return 4;
  }
}

void UnshareArray(int32_t elementSize, void** arrayVariable) {
  void* block = *arrayVariable;
  if (block == nullptr || !IsInConstantArea(block)) {
    return;
  }
  const uint64_t length = ArrayBlockLength(block, static_cast<uint32_t>(elementSize));
  if (length == 0) {
    return;
  }
  void* copy = MemAlloc(CheckedSize(length));
  std::memcpy(copy, block, static_cast<size_t>(length));
  *arrayVariable = copy;
}

void FreeArray(TypeCode type, void* block) {
  if (block == nullptr) {
    return;
  }
  const TypeCode element = type & ~type_code::kArrayFlag;
  if (element == type_code::kText || element == type_code::kByteSet) {
    const uint64_t count = ArrayElementCount(block);
    const uint8_t* elements = ArrayElements(block);
    for (uint64_t i = 0; i < count; ++i) {
      void* item;
      std::memcpy(&item, elements + i * sizeof item, sizeof item);
      MemFree(item);
    }
  }
  MemFree(block);
}

int32_t ToInteger(const ArgValue* value) {
  // Out-of-range and NaN floating values give the integer-indefinite value,
  // as the processor's truncating conversion does.
  auto truncate = [](double d) {
    if (std::isnan(d) || d <= -2147483649.0 || d >= 2147483648.0) {
      return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(d);
  };
  switch (value->type) {
    case type_code::kByte:
      return static_cast<int32_t>(value->low & 0xFFu);
    case type_code::kShort:
      return static_cast<int16_t>(value->low & 0xFFFFu);
    case type_code::kInteger:
    case type_code::kLong:
      return value->AsInt32();
    case type_code::kFloat:
      return truncate(value->AsFloat());
    case type_code::kDouble:
      return truncate(value->AsDouble());
    default:
      RaiseRuntimeError("欲转换数据类型不是数值", 0, 0, 0);
  }
}

char* JoinTexts(int32_t count, const char* const* texts) {
  uint64_t total = 0;
  for (int32_t i = 0; i < count; ++i) {
    total += texts[i] != nullptr ? std::strlen(texts[i]) : 0;
  }
  auto* joined = static_cast<char*>(MemAlloc(CheckedSize(total + 1)));
  char* out = joined;
  for (int32_t i = 0; i < count; ++i) {
    if (texts[i] != nullptr) {
      const size_t length = std::strlen(texts[i]);
      std::memcpy(out, texts[i], length);
      out += length;
    }
  }
  *out = '\0';
  return joined;
}

char* MakeText(const char* bytes, size_t length) {
  if (bytes == nullptr || length == 0) {
    return nullptr;
  }
  auto* text = static_cast<char*>(MemAlloc(CheckedSize(static_cast<uint64_t>(length) + 1)));
  std::memcpy(text, bytes, length);
  text[length] = '\0';
  return text;
}

char* MakeText(const char* zeroTerminated) {
  return zeroTerminated == nullptr ? nullptr
                                   : MakeText(zeroTerminated, std::strlen(zeroTerminated));
}

void* MakeByteSet(const void* bytes, size_t length) {
  if (bytes == nullptr || length == 0) {
    return nullptr;
  }
  auto* block = static_cast<uint8_t*>(MemAlloc(CheckedSize(static_cast<uint64_t>(length) + 8)));
  WriteWord(block, 1);
  WriteWord(block + 4, static_cast<uint32_t>(length));
  std::memcpy(block + 8, bytes, length);
  return block;
}

uint32_t ByteSetSize(const void* block) {
  return block == nullptr ? 0 : ReadWord(static_cast<const uint8_t*>(block) + 4);
}

const uint8_t* ByteSetBytes(const void* block) {
  return block == nullptr ? nullptr : static_cast<const uint8_t*>(block) + 8;
}

}  // namespace mnemora
