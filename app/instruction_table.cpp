#include "app/instruction_table.h"

#include <atomic>
#include <bit>
#include <functional>

#include "app/command_calls.h"
#include "app/instruction_lines.h"
#include "commands/keyed_list_commands.h"
#include "commands/text_commands.h"
#include "runtime/gbk_text.h"
#include "runtime/support_libraries.h"

namespace mnemora::app {
namespace {

constexpr int32_t kResultWidth = 15;
constexpr TypeCode kKeyedListObject = 0x00030001;

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

// Whether a load leaves the line out: blank (nothing left after removing
// every ASCII and full-width space, and a lead byte with nothing after it)
// or starting with a space. Only a line that starts with a double-byte lead
// byte needs the removal itself: any other starts with a byte that stays.
bool IsLeftOut(std::string_view line) {
  if (line.empty() || line.front() == ' ') {
    return true;
  }
  if (!IsLeadByte(line.front())) {
    return false;
  }
  const std::string text(line);
  return OwnedText(CallCore(RemoveAllSpaces, {TextArg(text)})).Empty();
}

size_t HashOf(std::string_view text) {
  return std::hash<std::string_view>{}(text);
}

std::atomic<InstructionTableRef>& CurrentTableSlot() {
  static std::atomic<InstructionTableRef> slot{EmptyInstructionTable()};
  return slot;
}

}  // namespace

std::string_view JoinedTexts::At(size_t i) const {
  const uint32_t start = i == 0 ? 0 : ends[i - 1] + 1;
  return std::string_view(bytes).substr(start, ends[i] - start);
}

void JoinedTexts::EndText() {
  ends.push_back(static_cast<uint32_t>(bytes.size()));
  bytes.push_back('\0');
}

InstructionTable::InstructionTable(const std::vector<std::string_view>& lines, std::string text)
    : text_(std::move(text)) {
  // Every block reserved whole at once: growing blocks of megabytes step by
  // step costs more than filling them.
  size_t lineBytes = 0;
  size_t firstWordBytes = 0;
  for (const std::string_view line : lines) {
    lineBytes += line.size() + 1;
    firstWordBytes += FirstWord(line).size() + 1;
  }
  lines_.bytes.reserve(lineBytes);
  mnemonicKeys_.bytes.reserve(firstWordBytes);
  annotationKeys_.bytes.reserve(lineBytes);
  results_.bytes.reserve(lineBytes + lines.size() * (kResultWidth + 2));
  lines_.ends.reserve(lines.size());
  for (const std::string_view line : lines) {
    lines_.bytes += line;
    lines_.EndText();
  }
  // One conversion of the whole block gives every line's conversion, each
  // still followed by its zero byte: a lead byte before a zero byte stays
  // as it is, as a lead byte at the end of a line does.
  const std::string converted = PinyinInitials(lines_.bytes);
  mnemonicKeys_.ends.reserve(lines.size());
  annotationKeys_.ends.reserve(lines.size());
  results_.ends.reserve(lines.size());
  size_t start = 0;
  for (int32_t i = 0; i < Count(); ++i) {
    const size_t end = converted.find('\0', start);
    const std::string_view convertedLine = std::string_view(converted).substr(start, end - start);
    start = end + 1;
    mnemonicKeys_.bytes += FirstWord(convertedLine);
    mnemonicKeys_.EndText();
    AppendWordsAfterFirst(convertedLine, &annotationKeys_.bytes);
    annotationKeys_.EndText();
    const std::string_view line = Line(i);
    results_.bytes += PadRight(FirstWord(line), " ", kResultWidth);
    AppendWordsAfterFirst(line, &results_.bytes);
    results_.bytes += "\r\n";
    results_.EndText();
  }

  mnemonicSlots_.assign(std::bit_ceil(2 * lines.size() + 1), -1);
  const size_t mask = mnemonicSlots_.size() - 1;
  for (int32_t i = 0; i < Count(); ++i) {
    size_t slot = HashOf(FirstWord(Line(i))) & mask;
    while (mnemonicSlots_[slot] != -1) {
      slot = (slot + 1) & mask;
    }
    mnemonicSlots_[slot] = i;
  }
}

int32_t InstructionTable::FindMnemonic(std::string_view mnemonic) const {
  const size_t mask = mnemonicSlots_.size() - 1;
  for (size_t slot = HashOf(mnemonic) & mask; mnemonicSlots_[slot] != -1;
       slot = (slot + 1) & mask) {
    if (FirstWord(Line(mnemonicSlots_[slot])) == mnemonic) {
      return mnemonicSlots_[slot];
    }
  }
  return -1;
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
  std::vector<std::string_view> accepted;
  for (const std::string_view piece : sorted) {
    if (!IsLeftOut(piece) && seen.Add(std::string(FirstWord(piece)))) {
      accepted.push_back(piece);
    }
  }
  // The table copies the accepted lines out of the pieces.
  return std::make_shared<const InstructionTable>(accepted, std::move(text));
}

InstructionTableRef EmptyInstructionTable() {
  return std::make_shared<const InstructionTable>(std::vector<std::string_view>{}, std::string{});
}

InstructionTableRef CurrentInstructionTable() {
  return CurrentTableSlot().load();
}

void PublishInstructionTable(InstructionTableRef table) {
  CurrentTableSlot().store(std::move(table));
}

}  // namespace mnemora::app
