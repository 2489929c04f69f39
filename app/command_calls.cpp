#include "app/command_calls.h"

#include <cstring>
#include <vector>

#include "commands/text_commands.h"
#include "runtime/entry_table.h"

namespace mnemora::app {
namespace {

struct ArrayHeader {
  uint32_t dimensions;
  uint32_t count;
};

}  // namespace

OwnedText& OwnedText::operator=(OwnedText&& other) noexcept {
  if (this != &other) {
    kEntryTable.MemFree(block_);
    block_ = other.block_;
    other.block_ = nullptr;
  }
  return *this;
}

OwnedText::~OwnedText() {
  kEntryTable.MemFree(block_);
}

OwnedByteSet::~OwnedByteSet() {
  kEntryTable.MemFree(block_);
}

ArgValue OwnedByteSet::Arg() const {
  // An argument is never null: the empty byte set goes as a block of none.
  static const uint32_t kEmptyByteSet[2] = {1, 0};
  return ArgValue::ByteSet(block_ != nullptr ? block_ : kEmptyByteSet);
}

bool OwnedByteSet::Empty() const {
  uint32_t header[2] = {0, 0};
  if (block_ != nullptr) {
    std::memcpy(header, block_, sizeof header);
  }
  return header[1] == 0;
}

OwnedTextArray::~OwnedTextArray() {
  if (block_ == nullptr) {
    return;
  }
  for (uint32_t i = 0; i < Count(); ++i) {
    kEntryTable.MemFree(Elements()[i]);
  }
  kEntryTable.MemFree(block_);
}

uint32_t OwnedTextArray::Count() const {
  if (block_ == nullptr) {
    return 0;
  }
  ArrayHeader header;
  std::memcpy(&header, block_, sizeof header);
  return header.count;
}

const char* OwnedTextArray::At(uint32_t i) const {
  const char* element = Elements()[i];
  return element != nullptr ? element : "";
}

char* const* OwnedTextArray::Elements() const {
  return reinterpret_cast<char* const*>(static_cast<const uint8_t*>(block_) + sizeof(ArrayHeader));
}

ArgValue CallCore(LibraryCommand command, std::initializer_list<ArgValue> args) {
  // The command reads its arguments in place; they must be writable records.
  std::vector<ArgValue> list(args);
  return kEntryTable.CallCoreCommand(command, static_cast<int32_t>(list.size()), list.data());
}

ArgValue CallLibrary(LibraryCommand command, int32_t library,
                     std::initializer_list<ArgValue> args) {
  std::vector<ArgValue> list(args);
  return kEntryTable.CallLibraryCommand(command, library, static_cast<int32_t>(list.size()),
                                        list.data());
}

std::string UpperCased(const std::string& text) {
  return std::string(OwnedText(CallCore(ToUpperCase, {TextArg(text)})).View());
}

}  // namespace mnemora::app
