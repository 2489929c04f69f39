#include "app/instruction_table.h"

#include <atomic>
#include <span>

#include "app/command_calls.h"
#include "app/instruction_lines.h"
#include "commands/keyed_list_commands.h"
#include "commands/text_commands.h"
#include "runtime/support_libraries.h"

namespace mnemora::app {
namespace {

constexpr int32_t kResultWidth = 15;
constexpr TypeCode kKeyedListObject = 0x00030001;

void AppendKey(KeyColumn* column, std::string_view key) {
  column->bytes.append(key);
  column->ends.push_back(static_cast<uint32_t>(column->bytes.size()));
  column->bytes.push_back('\0');
}

// The keyed list of one load: it remembers the mnemonics seen so far.
class MnemonicsSeen {
 public:
  MnemonicsSeen() { CallLibrary(CreateKeyedList, library_index::kDataStructure, {Variable()}); }
  MnemonicsSeen(const MnemonicsSeen&) = delete;
  MnemonicsSeen& operator=(const MnemonicsSeen&) = delete;
  ~MnemonicsSeen() { CallLibrary(FreeKeyedList, library_index::kDataStructure, {Variable()}); }

  // False when the mnemonic was seen before.
  bool Add(const std::string& mnemonic) {
    return CallLibrary(AddKeyedValue, library_index::kDataStructure,
                       {Variable(), TextArg(mnemonic), ArgValue::Boolean(true)})
               .low != 0;
  }

 private:
  ArgValue Variable() { return ArgValue::Pointer(&list_, kKeyedListObject); }
  void* list_ = nullptr;
};

bool IsBlank(const char* line) {
  return OwnedText(CallCore(RemoveAllSpaces, {TextArg(line)})).Empty();
}

std::atomic<InstructionTableRef>& CurrentTableSlot() {
  static std::atomic<InstructionTableRef> slot{
      std::make_shared<const InstructionTable>(std::vector<std::string>{}, std::string{})};
  return slot;
}

}  // namespace

InstructionTable::InstructionTable(std::vector<std::string> lines, std::string text)
    : lines_(std::move(lines)), text_(std::move(text)) {
  mnemonicKeys_.ends.reserve(lines_.size());
  annotationKeys_.ends.reserve(lines_.size());
  resultEnds_.reserve(lines_.size());
  mnemonicIndex_.reserve(lines_.size());
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string& line = lines_[i];
    const std::string converted = PinyinInitials(line);
    AppendKey(&mnemonicKeys_, FirstWord(converted));
    AppendKey(&annotationKeys_, WordsAfterFirst(converted));
    const std::string_view mnemonic = FirstWord(line);
    results_ += PadRight(mnemonic, " ", kResultWidth);
    results_ += WordsAfterFirst(line);
    results_ += "\r\n";
    resultEnds_.push_back(static_cast<uint32_t>(results_.size()));
    mnemonicIndex_.emplace(mnemonic, static_cast<int32_t>(i));
  }
}

int32_t InstructionTable::FindMnemonic(std::string_view mnemonic) const {
  const auto found = mnemonicIndex_.find(mnemonic);
  return found != mnemonicIndex_.end() ? found->second : -1;
}

std::string_view InstructionTable::ResultLine(int32_t i) const {
  const uint32_t start = i == 0 ? 0 : resultEnds_[static_cast<size_t>(i) - 1];
  return std::string_view(results_).substr(start, resultEnds_[static_cast<size_t>(i)] - start);
}

InstructionTableRef MakeInstructionTable(std::string text) {
  const OwnedTextArray pieces(CallCore(SplitText, {TextArg(text), TextArg("\r\n")}));
  std::vector<std::string_view> sorted;
  sorted.reserve(pieces.Count());
  for (uint32_t i = 0; i < pieces.Count(); ++i) {
    sorted.emplace_back(pieces.At(i));
  }
  SortLines(sorted, true);

  MnemonicsSeen seen;
  std::vector<std::string> lines;
  for (const std::string_view piece : sorted) {
    // Every view starts a zero-terminated element of the array.
    if (IsBlank(piece.data()) || piece.front() == ' ') {
      continue;
    }
    if (seen.Add(std::string(FirstWord(piece)))) {
      lines.emplace_back(piece);
    }
  }
  return std::make_shared<const InstructionTable>(std::move(lines), std::move(text));
}

InstructionTableRef CurrentInstructionTable() {
  return CurrentTableSlot().load();
}

void PublishInstructionTable(InstructionTableRef table) {
  CurrentTableSlot().store(std::move(table));
}

}  // namespace mnemora::app
