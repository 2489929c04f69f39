#include "commands/text_commands.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "commands/command_args.h"
#include "commands/text_split.h"
#include "commands/value_text.h"
#include "runtime/gbk_text.h"
#include "runtime/heap_blocks.h"

namespace mnemora {
namespace {

char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// ASCII letters match in either case; a two-byte character matches only
// itself, so a trail byte that happens to be a letter is never folded.
bool EqualIgnoringCase(const char* a, const char* b, size_t length) {
  size_t i = 0;
  while (i < length) {
    if (IsLeadByte(a[i])) {
      const size_t width = i + 1 < length ? 2 : 1;
      if (std::memcmp(a + i, b + i, width) != 0) {
        return false;
      }
      i += width;
    } else {
      if (FoldAscii(a[i]) != FoldAscii(b[i])) {
        return false;
      }
      ++i;
    }
  }
  return true;
}

bool MatchesAt(const char* at, const char* searched, size_t length, bool ignoreCase) {
  return ignoreCase ? EqualIgnoringCase(at, searched, length)
                    : std::memcmp(at, searched, length) == 0;
}

// The bytes to skip for a 1-based start position; a left-out start is 1.
size_t SkipForStart(const ArgValue& start) {
  if (!IsGiven(start)) {
    return 0;
  }
  const int64_t skip = int64_t{start.AsInt32()} - 1;
  return skip > 0 ? static_cast<size_t>(skip) : 0;
}

int32_t FindPosition(const char* text, const char* searched, size_t skip, bool ignoreCase) {
  const size_t length = std::strlen(text);
  const size_t searchedLength = std::strlen(searched);
  size_t scan = std::min(skip, length);
  size_t remaining = length - scan;
  if (searchedLength == 0) {
    return remaining > 0 ? 1 : -1;
  }
  while (remaining >= searchedLength) {
    if (MatchesAt(text + scan, searched, searchedLength, ignoreCase)) {
      return static_cast<int32_t>(scan + 1);
    }
    if (IsLeadByte(text[scan])) {
      if (text[scan + 1] == '\0') {
        break;
      }
      scan += 2;
      remaining -= 2;
    } else {
      ++scan;
      --remaining;
    }
  }
  return -1;
}

std::string TrimmedSpaces(const char* text) {
  const char* start = text;
  while (*start == ' ' || (IsLeadByte(*start) && IsFullWidthSpace(start[0], start[1]))) {
    start += *start == ' ' ? 1 : 2;
  }
  const char* p = start;
  const char* runStart = nullptr;
  while (*p != '\0') {
    if (*p == ' ') {
      runStart = runStart != nullptr ? runStart : p;
      ++p;
    } else if (IsLeadByte(*p)) {
      if (p[1] == '\0') {
        // The dangling lead byte is cut off; spaces before it stay.
        return std::string(start, p);
      }
      runStart = IsFullWidthSpace(p[0], p[1]) ? (runStart != nullptr ? runStart : p) : nullptr;
      p += 2;
    } else {
      runStart = nullptr;
      ++p;
    }
  }
  return std::string(start, runStart != nullptr ? runStart : p);
}

std::string WithoutSpaces(const char* text) {
  std::string kept;
  for (const char* p = text; *p != '\0';) {
    if (IsLeadByte(*p)) {
      if (p[1] == '\0') {
        break;
      }
      if (!IsFullWidthSpace(p[0], p[1])) {
        kept.append(p, 2);
      }
      p += 2;
    } else {
      if (*p != ' ') {
        kept += *p;
      }
      ++p;
    }
  }
  return kept;
}

struct Replacement {
  const char* searched;
  const char* replacement;
  size_t skip;
  int32_t count;  // -1: unlimited
  bool ignoreCase;
};

std::string Replaced(const char* text, const Replacement& r) {
  const size_t length = std::strlen(text);
  const size_t searchedLength = std::strlen(r.searched);
  if (length == 0 || searchedLength == 0 || r.skip >= length || r.count == 0) {
    return std::string(text, length);
  }
  int32_t left = r.count;
  std::string out(text, r.skip);
  size_t scan = r.skip;
  size_t remaining = length - scan;
  while (remaining >= searchedLength) {
    if (MatchesAt(text + scan, r.searched, searchedLength, r.ignoreCase)) {
      // Scanning goes on after the match in the original text, so the
      // replacement itself is never searched.
      out += r.replacement;
      scan += searchedLength;
      remaining -= searchedLength;
      if (left != -1 && --left == 0) {
        break;
      }
    } else if (IsLeadByte(text[scan])) {
      if (text[scan + 1] == '\0') {
        ++scan;  // a dangling lead byte is dropped
        --remaining;
        break;
      }
      out.append(text + scan, 2);
      scan += 2;
      remaining -= 2;
    } else {
      out += text[scan];
      ++scan;
      --remaining;
    }
  }
  out.append(text + scan, remaining);
  return out;
}

// Elements are new text blocks (null when empty).
std::vector<char*> SplitElements(const char* text, const char* separator, int64_t maximum) {
  std::vector<char*> elements;
  for (const std::string_view piece : SplitPieces(text, separator, maximum)) {
    elements.push_back(MakeText(piece.data(), piece.size()));
  }
  return elements;
}

void* MakeTextArray(const std::vector<char*>& elements) {
  void* block = MakeArray(static_cast<uint32_t>(elements.size()), sizeof(char*));
  if (!elements.empty()) {
    std::memcpy(ArrayElements(block), elements.data(), elements.size() * sizeof(char*));
  }
  return block;
}

struct ByteRange {
  const uint8_t* bytes = nullptr;
  size_t length = 0;
};

// The data of an array of a numeric type; nothing for other arrays, whose
// elements are pointers and must not be read as data.
ByteRange NumericArrayData(const ArgValue& value) {
  const TypeCode element = ElementType(value.type);
  const void* block = value.AsPointer();
  if (block == nullptr || !IsNumericType(element)) {
    return {};
  }
  return {ArrayElements(block),
          static_cast<size_t>(ArrayElementCount(block) * ArrayElementSize(element))};
}

bool InSystemRange(TypeCode code) {
  return (code & 0xC0000000u) == 0x80000000u;
}

// The value's own bytes in memory order, for the system types that have a
// fixed size; 0 for the rest.
size_t ScalarSize(TypeCode code) {
  namespace tc = type_code;
  switch (code) {
    case tc::kByte:
      return 1;
    case tc::kShort:
      return 2;
    case tc::kInteger:
    case tc::kFloat:
    case tc::kBoolean:
      return 4;
    case tc::kSubroutine:
      // A code address fills both value words on the 64-bit build.
      return sizeof(void*);
    case tc::kLong:
    case tc::kDouble:
    case tc::kDateTime:
      return 8;
    default:
      return 0;
  }
}

}  // namespace

void TextLength(ArgValue* result, int32_t count, ArgValue* args) {
  *result = ArgValue::Integer(static_cast<int32_t>(std::strlen(TextOf(ArgAt(count, args, 0)))));
}

void LeftText(ArgValue* result, int32_t count, ArgValue* args) {
  const char* text = TextOf(ArgAt(count, args, 0));
  const int32_t n = ArgAt(count, args, 1).AsInt32();
  const size_t length = std::strlen(text);
  const size_t taken = n > 0 ? std::min(static_cast<size_t>(n), length) : 0;
  *result = ArgValue::Text(MakeText(text, taken));
}

void RightText(ArgValue* result, int32_t count, ArgValue* args) {
  const char* text = TextOf(ArgAt(count, args, 0));
  const int32_t n = ArgAt(count, args, 1).AsInt32();
  const size_t length = std::strlen(text);
  const size_t taken = n > 0 ? std::min(static_cast<size_t>(n), length) : 0;
  *result = ArgValue::Text(MakeText(text + length - taken, taken));
}

void FindText(ArgValue* result, int32_t count, ArgValue* args) {
  const ArgValue ignoreCase = ArgAt(count, args, 3);
  *result = ArgValue::Integer(FindPosition(
      TextOf(ArgAt(count, args, 0)), TextOf(ArgAt(count, args, 1)),
      SkipForStart(ArgAt(count, args, 2)), IsGiven(ignoreCase) && ignoreCase.low == 1));
}

void ToUpperCase(ArgValue* result, int32_t count, ArgValue* args) {
  std::string copy = TextOf(ArgAt(count, args, 0));
  for (size_t i = 0; i < copy.size();) {
    if (IsLeadByte(copy[i])) {
      if (i + 1 == copy.size()) {
        break;
      }
      i += 2;
    } else {
      copy[i] = FoldAscii(copy[i]);
      ++i;
    }
  }
  *result = ArgValue::Text(MakeText(copy.data(), copy.size()));
}

void TrimSpaces(ArgValue* result, int32_t count, ArgValue* args) {
  const std::string trimmed = TrimmedSpaces(TextOf(ArgAt(count, args, 0)));
  *result = ArgValue::Text(MakeText(trimmed.data(), trimmed.size()));
}

void RemoveAllSpaces(ArgValue* result, int32_t count, ArgValue* args) {
  const std::string kept = WithoutSpaces(TextOf(ArgAt(count, args, 0)));
  *result = ArgValue::Text(MakeText(kept.data(), kept.size()));
}

void ReplaceText(ArgValue* result, int32_t count, ArgValue* args) {
  const ArgValue replacement = ArgAt(count, args, 2);
  const ArgValue replaceCount = ArgAt(count, args, 4);
  Replacement r;
  r.searched = TextOf(ArgAt(count, args, 1));
  r.replacement = IsGiven(replacement) ? TextOf(replacement) : "";
  r.skip = SkipForStart(ArgAt(count, args, 3));
  // Any negative count, like a left-out one, is unlimited.
  r.count = IsGiven(replaceCount) ? std::max(replaceCount.AsInt32(), -1) : -1;
  r.ignoreCase = ArgAt(count, args, 5).low == 0;
  const std::string replaced = Replaced(TextOf(ArgAt(count, args, 0)), r);
  *result = ArgValue::Text(MakeText(replaced.data(), replaced.size()));
}

void SplitText(ArgValue* result, int32_t count, ArgValue* args) {
  const ArgValue separator = ArgAt(count, args, 1);
  const ArgValue maximum = ArgAt(count, args, 2);
  const std::vector<char*> elements =
      SplitElements(TextOf(ArgAt(count, args, 0)), IsGiven(separator) ? TextOf(separator) : ",",
                    IsGiven(maximum) ? std::max(maximum.AsInt32(), 0) : -1);
  *result = ArgValue::Pointer(MakeTextArray(elements), type_code::kText | type_code::kArrayFlag);
}

void SpaceText(ArgValue* result, int32_t count, ArgValue* args) {
  const int32_t n = ArgAt(count, args, 0).AsInt32();
  if (n < 1) {
    *result = ArgValue::Text(nullptr);
    return;
  }
  // n + 1 in 32 bits, as the heap is asked: the largest count wraps to a
  // negative request, which fails and is reported instead of overflowing.
  auto* text = static_cast<char*>(MemAlloc(static_cast<int32_t>(static_cast<uint32_t>(n) + 1u)));
  std::memset(text, ' ', static_cast<size_t>(n));
  text[n] = '\0';
  *result = ArgValue::Text(text);
}

void ToText(ArgValue* result, int32_t count, ArgValue* args) {
  const ArgValue value = ArgAt(count, args, 0);
  ByteRange data;
  if (IsArrayType(value.type)) {
    data = NumericArrayData(value);
  } else if (value.type == type_code::kByteSet) {
    data = {ByteSetBytes(value.AsPointer()), ByteSetSize(value.AsPointer())};
  } else {
    const std::string text = ScalarValueText(value);
    *result = ArgValue::Text(MakeText(text.data(), text.size()));
    return;
  }
  // Data becomes text up to its first zero byte.
  const void* zero = data.length != 0 ? std::memchr(data.bytes, 0, data.length) : nullptr;
  const size_t length = zero != nullptr
                            ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - data.bytes)
                            : data.length;
  *result = ArgValue::Text(MakeText(reinterpret_cast<const char*>(data.bytes), length));
}

void ToByteSet(ArgValue* result, int32_t count, ArgValue* args) {
  const ArgValue value = ArgAt(count, args, 0);
  void* block = nullptr;
  if (IsArrayType(value.type)) {
    const ByteRange data = NumericArrayData(value);
    block = MakeByteSet(data.bytes, data.length);
  } else if (!InSystemRange(value.type)) {
    block = nullptr;
  } else if (value.type == type_code::kText) {
    block = MakeByteSet(TextOf(value), std::strlen(TextOf(value)));
  } else if (value.type == type_code::kByteSet) {
    block = MakeByteSet(ByteSetBytes(value.AsPointer()), ByteSetSize(value.AsPointer()));
  } else {
    // low word first, then high word: the value's bytes in memory order.
    const uint64_t bits = value.Bits();
    block = MakeByteSet(&bits, ScalarSize(value.type));
  }
  *result = ArgValue::ByteSet(block);
}

void ByteSetLength(ArgValue* result, int32_t count, ArgValue* args) {
  const ArgValue value = ArgAt(count, args, 0);
  const uint32_t size = value.type == type_code::kByteSet ? ByteSetSize(value.AsPointer()) : 0;
  *result = ArgValue::Integer(static_cast<int32_t>(size));
}

}  // namespace mnemora
