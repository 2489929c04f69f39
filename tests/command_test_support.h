// Calling commands the way application code does, and taking their results
// apart: every text, byte set and array taken here is freed.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "runtime/arg_value.h"
#include "runtime/entry_table.h"
#include "runtime/heap_blocks.h"

namespace mnemora::testing_support {

inline ArgValue Call(LibraryCommand command, std::initializer_list<ArgValue> args) {
  std::vector<ArgValue> list(args);
  return kEntryTable.CallCoreCommand(command, static_cast<int32_t>(list.size()), list.data());
}

// The text, or "(null)" for the null text, so that an empty text block
// (which commands never give) would not pass for the empty text.
inline std::string TakeText(const ArgValue& result) {
  char* text = static_cast<char*>(result.AsPointer());
  if (text == nullptr) {
    return "(null)";
  }
  std::string copy = text;
  MemFree(text);
  return copy;
}

// The bytes, or "(null)" for the null byte set.
inline std::string TakeBytes(const ArgValue& result) {
  void* block = result.AsPointer();
  if (block == nullptr) {
    return "(null)";
  }
  std::string bytes(reinterpret_cast<const char*>(ByteSetBytes(block)), ByteSetSize(block));
  MemFree(block);
  return bytes;
}

// The elements of a one-dimensional text array, null ones as "(null)".
inline std::vector<std::string> TakeTextArray(const ArgValue& result) {
  void* block = result.AsPointer();
  std::vector<std::string> texts;
  const auto* elements = reinterpret_cast<char* const*>(ArrayElements(block));
  for (uint64_t i = 0; i < ArrayElementCount(block); ++i) {
    texts.push_back(elements[i] != nullptr ? elements[i] : "(null)");
  }
  FreeArray(type_code::kText | type_code::kArrayFlag, block);
  return texts;
}

}  // namespace mnemora::testing_support
