// An instruction file through the whole load (its text up to the first
// zero byte, split, sorted, filtered, one entry per mnemonic), then
// searches with a fuzzed needle, compared with a plain scan of the keys.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/instruction_lines.h"
#include "app/instruction_search.h"
#include "app/instruction_table.h"
#include "fuzz/fuzz_input.h"

using namespace mnemora;
using namespace mnemora::app;

namespace {

std::string PlainSearch(const InstructionTable& table, std::string_view needle, SearchField field) {
  std::string result;
  if (needle.empty() || needle.find('\0') != std::string_view::npos) {
    return result;
  }
  for (int32_t i = 0; i < table.Count(); ++i) {
    if (table.Keys(field).At(static_cast<size_t>(i)).find(needle) != std::string_view::npos) {
      table.AppendResultLine(i, &result);
    }
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  const std::string needle = input.Run();
  std::string text = input.Rest();
  // The file's text ends at its first zero byte, as the load reads it.
  text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  const InstructionTableRef table = MakeInstructionTable(text);
  fuzz::Require(table->Text() == text, "the table keeps its text");
  for (int32_t i = 0; i < table->Count(); ++i) {
    const std::string_view line = table->Line(i);
    fuzz::Require(!line.empty() && line.front() != ' ', "no blank or indented entry");
    fuzz::Require(i == 0 || table->Line(i - 1) < line, "entries ascend");
    fuzz::Require(table->FindMnemonic(FirstWord(line)) == i, "each mnemonic finds its entry");
    fuzz::Require(text.find(line) != std::string::npos, "an entry is a line of the text");
  }
  for (SearchField field : {SearchField::kMnemonic, SearchField::kAnnotation}) {
    std::string found;
    fuzz::Require(SearchInstructions(
                      *table, needle, field, [] { return true; }, &found),
                  "a search that is never stopped finishes");
    fuzz::Require(found == PlainSearch(*table, needle, field), "search agrees with a plain scan");
  }
  return 0;
}
