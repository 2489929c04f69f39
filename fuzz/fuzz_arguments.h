// Argument records for a command call, with types and values taken from a
// fuzz input: the texts, byte sets and arrays they point to are heap blocks
// of the runtime, freed with the arguments. The records sit in a block of
// exactly their number, so a command that reads past its count is caught.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "runtime/arg_value.h"
#include "runtime/heap_blocks.h"

namespace mnemora::fuzz {

// The argument blocks of one call, freed after it.
class Arguments {
 public:
  Arguments(FuzzInput& input, int32_t count)
      : values_(std::make_unique<ArgValue[]>(static_cast<size_t>(count))) {
    for (int32_t i = 0; i < count; ++i) {
      values_[static_cast<size_t>(i)] = Make(input);
    }
  }
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;
  ~Arguments() {
    for (void* block : blocks_) {
      MemFree(block);
    }
  }

  ArgValue* Values() { return values_.get(); }

 private:
  ArgValue Make(FuzzInput& input) {
    namespace tc = type_code;
    switch (input.Choice(12)) {
      case 0:
        return ArgValue::None();
      case 1:
      case 2:
        return ArgValue::Pointer(Keep(MakeText(input.Run()), ConstantEmptyText()), tc::kText);
      case 3:
        return ArgValue::Integer(static_cast<int32_t>(input.Dword()));
      case 4:
        return ArgValue::Boolean(input.Byte() & 1);
      case 5:
        return ArgValue{input.Dword(), input.Dword(), input.Choice(2) ? tc::kLong : tc::kDouble};
      case 6:
        return ArgValue{input.Dword(), 0, input.Choice(2) ? tc::kFloat : tc::kByte};
      case 7:
        return ArgValue{input.Dword(), 0, tc::kShort};
      case 8:
        return ArgValue::DateTime(static_cast<double>(static_cast<int32_t>(input.Dword())) / 7.0);
      case 9: {
        const std::string bytes = input.Run();
        static const uint32_t kEmptyByteSet[2] = {1, 0};
        return ArgValue::ByteSet(Keep(MakeByteSet(bytes.data(), bytes.size()), kEmptyByteSet));
      }
      case 10: {
        // A numeric array: its elements' bytes.
        const std::string bytes = input.Run();
        const uint32_t count = static_cast<uint32_t>(bytes.size() / 4);
        void* block = MakeArray(count, 4);
        std::memcpy(ArrayElements(block), bytes.data(), 4ull * count);
        blocks_.push_back(block);
        return ArgValue::Pointer(block, tc::kInteger | tc::kArrayFlag);
      }
      default: {
        // Any type code at all, with a value that is sound for every type
        // that points to a block: {1, 0} is the empty array, the empty
        // byte set and a text of one byte.
        void* block = MakeArray(0, 4);
        blocks_.push_back(block);
        return ArgValue::Pointer(block, input.Dword());
      }
    }
  }

  static std::string Terminated(std::string run) { return run.substr(0, run.find('\0')); }
  char* MakeText(const std::string& run) {
    const std::string text = Terminated(run);
    return mnemora::MakeText(text.data(), text.size());
  }
  template <typename Block>
  const void* Keep(Block* block, const void* empty) {
    if (block == nullptr) {
      return empty;
    }
    blocks_.push_back(block);
    return block;
  }

  std::unique_ptr<ArgValue[]> values_;
  std::vector<void*> blocks_;
};

}  // namespace mnemora::fuzz
