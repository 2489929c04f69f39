// Calling library commands the way application code does: through the entry
// table, with arrays of ArgValue. Every text, byte set and array a command
// hands back is taken by one of the holders below, which gives it back to the
// runtime heap when it goes. Free of <windows.h>.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "runtime/arg_value.h"
#include "runtime/library_command.h"

namespace mnemora::app {

// A text block owned by the application; null stands for the empty text.
class OwnedText {
 public:
  OwnedText() = default;
  // Takes the text a command or a property read gave back.
  explicit OwnedText(const ArgValue& result) : block_(static_cast<char*>(result.AsPointer())) {}
  explicit OwnedText(char* block) : block_(block) {}
  OwnedText(OwnedText&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
  OwnedText& operator=(OwnedText&& other) noexcept;
  OwnedText(const OwnedText&) = delete;
  OwnedText& operator=(const OwnedText&) = delete;
  ~OwnedText();

  // Never null: the empty text for a null block.
  const char* CStr() const { return block_ != nullptr ? block_ : ""; }
  std::string_view View() const { return CStr(); }
  bool Empty() const { return block_ == nullptr || *block_ == '\0'; }

 private:
  char* block_ = nullptr;
};

// A byte set block {1, count, bytes} owned by the application; null is empty.
class OwnedByteSet {
 public:
  explicit OwnedByteSet(const ArgValue& result) : block_(result.AsPointer()) {}
  OwnedByteSet(const OwnedByteSet&) = delete;
  OwnedByteSet& operator=(const OwnedByteSet&) = delete;
  ~OwnedByteSet();

  // The value to lend the block on as an argument.
  ArgValue Arg() const;
  // No block, or one of no bytes.
  bool Empty() const;

 private:
  void* block_;
};

// A one-dimensional text array block owned by the application, elements
// included; a null element is the empty text.
class OwnedTextArray {
 public:
  explicit OwnedTextArray(const ArgValue& result) : block_(result.AsPointer()) {}
  OwnedTextArray(const OwnedTextArray&) = delete;
  OwnedTextArray& operator=(const OwnedTextArray&) = delete;
  ~OwnedTextArray();

  uint32_t Count() const;
  // Element i (0-based): zero-terminated, never null.
  const char* At(uint32_t i) const;

 private:
  char* const* Elements() const;
  void* block_;
};

// A text argument: the text is lent, and a null text goes as the empty one,
// since commands never receive null texts.
inline ArgValue TextArg(const char* text) {
  return ArgValue::Text(text != nullptr ? text : "");
}
inline ArgValue TextArg(const std::string& text) {
  return ArgValue::Text(text.c_str());
}

// Calls a core-library command.
ArgValue CallCore(LibraryCommand command, std::initializer_list<ArgValue> args);
// Calls a command of another library (numbers in runtime/support_libraries.h).
ArgValue CallLibrary(LibraryCommand command, int32_t library, std::initializer_list<ArgValue> args);

// ToUpperCase: ASCII letters only, double-byte characters untouched.
std::string UpperCased(const std::string& text);

}  // namespace mnemora::app
