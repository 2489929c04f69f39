#include "app/instruction_table.h"

#include <atomic>
#include <bit>
#include <functional>

#include "app/command_calls.h"
#include "app/instruction_lines.h"
#include "commands/text_commands.h"
#include "commands/text_split.h"
#include "runtime/gbk_text.h"

namespace mnemora::app {
namespace {

constexpr size_t kResultWidth = 15;

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

InstructionTable::InstructionTable(std::string text) : text_(std::move(text)) {
  AcceptLines();
  ConvertKeys();
}

// The text is split as the split command cuts it (up to its first zero
// byte, CR LF only at a character's start), sorted, and filtered; the first
// line in sort order of each first word goes into the index as it is
// accepted, so the index also tells which first words were seen.
void InstructionTable::AcceptLines() {
  const std::string_view text = std::string_view(text_).substr(0, text_.find('\0'));
  std::vector<std::string_view> sorted = SplitPieces(text, "\r\n");
  SortLines(sorted, true);
  lines_.reserve(sorted.size());
  mnemonicSlots_.assign(std::bit_ceil(2 * sorted.size() + 1), -1);
  const size_t mask = mnemonicSlots_.size() - 1;
  for (const std::string_view line : sorted) {
    if (IsLeftOut(line)) {
      continue;
    }
    const std::string_view mnemonic = FirstWord(line);
    size_t slot = HashOf(mnemonic) & mask;
    while (mnemonicSlots_[slot] != -1 && FirstWord(Line(mnemonicSlots_[slot])) != mnemonic) {
      slot = (slot + 1) & mask;
    }
    if (mnemonicSlots_[slot] == -1) {
      mnemonicSlots_[slot] = Count();
      lines_.push_back(
          {static_cast<uint32_t>(line.data() - text_.data()), static_cast<uint32_t>(line.size())});
    }
  }
}

void InstructionTable::ConvertKeys() {
  // Reserved whole at once: growing blocks of megabytes step by step costs
  // more than filling them. A conversion is never longer than its source.
  size_t lineBytes = 0;
  size_t firstWordBytes = 0;
  for (int32_t i = 0; i < Count(); ++i) {
    lineBytes += Line(i).size() + 1;
    firstWordBytes += FirstWord(Line(i)).size() + 1;
  }
  mnemonicKeys_.bytes.reserve(firstWordBytes);
  annotationKeys_.bytes.reserve(lineBytes);
  mnemonicKeys_.ends.reserve(lines_.size());
  annotationKeys_.ends.reserve(lines_.size());
  // The whole line is converted before it is cut into words, so a lead
  // byte before a space takes the space as its second byte here too.
  std::string converted;
  for (int32_t i = 0; i < Count(); ++i) {
    converted.clear();
    AppendPinyinInitials(Line(i), &converted);
    mnemonicKeys_.bytes += FirstWord(converted);
    mnemonicKeys_.EndText();
    AppendWordsAfterFirst(converted, &annotationKeys_.bytes);
    annotationKeys_.EndText();
  }
}

void InstructionTable::AppendResultLine(int32_t i, std::string* out) const {
  const std::string_view line = Line(i);
  const std::string_view mnemonic = FirstWord(line);
  *out += mnemonic;
  if (mnemonic.size() < kResultWidth) {
    out->append(kResultWidth - mnemonic.size(), ' ');
  }
  AppendWordsAfterFirst(line, out);
  *out += "\r\n";
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
  return std::make_shared<const InstructionTable>(std::move(text));
}

InstructionTableRef EmptyInstructionTable() {
  return std::make_shared<const InstructionTable>(std::string());
}

InstructionTableRef CurrentInstructionTable() {
  return CurrentTableSlot().load();
}

void PublishInstructionTable(InstructionTableRef table) {
  CurrentTableSlot().store(std::move(table));
}

}  // namespace mnemora::app
