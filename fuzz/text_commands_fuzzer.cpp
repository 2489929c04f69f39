// The text commands, each called the way application code calls it, with
// the command, the argument count and each argument's type and value taken
// from the input. Results are checked for their shape and freed.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "commands/text_commands.h"
#include "fuzz/fuzz_arguments.h"
#include "fuzz/fuzz_input.h"
#include "runtime/heap_blocks.h"
#include "runtime/library_command.h"

using namespace mnemora;

namespace {

constexpr LibraryCommand kCommands[] = {
    TextLength,  LeftText,  RightText, FindText, ToUpperCase, TrimSpaces,    RemoveAllSpaces,
    ReplaceText, SplitText, SpaceText, ToText,   ToByteSet,   ByteSetLength,
};

void CheckAndFree(const ArgValue& result) {
  namespace tc = type_code;
  if (IsArrayType(result.type)) {
    fuzz::Require(result.type == (tc::kText | tc::kArrayFlag), "only text arrays come back");
    void* block = result.AsPointer();
    fuzz::Require(block != nullptr && ArrayDimensionCount(block) == 1, "one dimension");
    const auto* elements = reinterpret_cast<char* const*>(ArrayElements(block));
    for (uint64_t i = 0; i < ArrayElementCount(block); ++i) {
      fuzz::Require(elements[i] == nullptr || elements[i][0] != '\0', "no empty text block");
    }
    FreeArray(result.type, block);
  } else if (result.type == tc::kText) {
    const char* text = result.AsText();
    fuzz::Require(text == nullptr || text[0] != '\0', "an empty text result is null");
    MemFree(result.AsPointer());
  } else if (result.type == tc::kByteSet) {
    fuzz::Require(result.AsPointer() == nullptr || ByteSetSize(result.AsPointer()) != 0,
                  "an empty byte set result is null");
    MemFree(result.AsPointer());
  } else {
    fuzz::Require(result.type == tc::kInteger, "every other result is an integer");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  const LibraryCommand command = kCommands[input.Choice(std::size(kCommands))];
  const int32_t count = static_cast<int32_t>(input.Choice(7));
  fuzz::Arguments arguments(input, count);
  // SpaceText makes as many spaces as it is asked for, as designed: a count
  // of two thousand million is a block of that size, not a fault. Counts
  // are kept small, since the sanitizer's quarantine keeps freed blocks.
  if (command == SpaceText && count >= 1 && arguments.Values()[0].AsInt32() > (1 << 16)) {
    return 0;
  }
  ArgValue result = ArgValue::None();
  command(&result, count, arguments.Values());
  CheckAndFree(result);
  return 0;
}
