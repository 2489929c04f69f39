// FormatText with a fuzzed format and fuzzed values: every conversion is
// checked against its value before the host's printf sees it, so whatever
// the input, the result is a text or the empty text. A format without any
// conversion comes back as itself.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "commands/format_text_command.h"
#include "fuzz/fuzz_arguments.h"
#include "fuzz/fuzz_input.h"
#include "runtime/heap_blocks.h"

using namespace mnemora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  std::string format = input.Run();
  format.resize(std::strlen(format.c_str()));
  const int32_t valueCount = static_cast<int32_t>(input.Choice(6));
  fuzz::Arguments values(input, valueCount);
  // The format first, then the values, in one block of exactly their number.
  std::vector<ArgValue> list{ArgValue::Text(format.c_str())};
  list.insert(list.end(), values.Values(), values.Values() + valueCount);
  const auto exact = std::make_unique<ArgValue[]>(list.size());
  std::copy(list.begin(), list.end(), exact.get());
  ArgValue result = ArgValue::None();
  FormatText(&result, static_cast<int32_t>(list.size()), exact.get());
  fuzz::Require(result.type == type_code::kText, "the result is a text");
  const char* text = result.AsText();
  fuzz::Require(text == nullptr || text[0] != '\0', "an empty result is null");
  if (format.find('%') == std::string::npos && !format.empty()) {
    bool refused = false;
    for (int32_t i = 0; i < valueCount; ++i) {
      const TypeCode type = values.Values()[i].type;
      refused = refused || (type & 0xC0000000u) != 0x80000000u || type == type_code::kLong ||
                type == type_code::kDateTime || type == type_code::kByteSet;
    }
    fuzz::Require(refused ? text == nullptr : text != nullptr && format == text,
                  "a format without conversions is itself unless a value is refused");
  }
  MemFree(result.AsPointer());
  return 0;
}
