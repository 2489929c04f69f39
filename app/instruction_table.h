// The instruction table: the accepted lines of the instruction text in
// ascending byte order, one per mnemonic, with what every look-up needs
// computed once per load. A table never changes after it is made. Query
// workers hold a reference for as long as they read it, and a reload
// publishes a new table instead of changing or freeing the one they hold.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mnemora::app {

// What a search compares the needle with: the pinyin-converted first word
// of an entry, or the pinyin-converted words after it.
enum class SearchField : int32_t { kMnemonic = 1, kAnnotation = 2 };

// One text per entry, in table order, kept in one block: each text is
// followed by a zero byte, and ends[i] is the offset of the one after text
// i. A needle never holds a zero byte, so a search over the whole block
// never matches from one text into the next.
struct JoinedTexts {
  std::string bytes;
  std::vector<uint32_t> ends;

  std::string_view At(size_t i) const;
  // Ends the text appended to bytes since the last one ended.
  void EndText();
};

class InstructionTable {
 public:
  // The table of an instruction text, as MakeInstructionTable describes.
  explicit InstructionTable(std::string text);
  InstructionTable(const InstructionTable&) = delete;
  InstructionTable& operator=(const InstructionTable&) = delete;

  int32_t Count() const { return static_cast<int32_t>(lines_.size()); }
  // Entry i (0-based), the line of list item i.
  std::string_view Line(int32_t i) const {
    const LineSpan span = lines_[static_cast<size_t>(i)];
    return std::string_view(text_).substr(span.start, span.length);
  }
  // The instruction text the table was built from.
  const std::string& Text() const { return text_; }

  // The 0-based index of the entry whose first word is mnemonic, or -1.
  int32_t FindMnemonic(std::string_view mnemonic) const;

  const JoinedTexts& Keys(SearchField field) const {
    return field == SearchField::kMnemonic ? mnemonicKeys_ : annotationKeys_;
  }
  // Appends entry i as a search shows it: the first word padded to 15
  // bytes, the words after it, CR LF.
  void AppendResultLine(int32_t i, std::string* out) const;

 private:
  // Where an entry lies in text_: the text is held once, and an entry costs
  // eight bytes beside it.
  struct LineSpan {
    uint32_t start;
    uint32_t length;
  };

  // Takes the accepted lines out of text_ in table order and sizes the
  // mnemonic index.
  void AcceptLines();
  void ConvertKeys();

  std::string text_;
  std::vector<LineSpan> lines_;
  JoinedTexts mnemonicKeys_;
  JoinedTexts annotationKeys_;
  // Open addressing over entry indexes by first word; -1 is an empty slot.
  std::vector<int32_t> mnemonicSlots_;
};

using InstructionTableRef = std::shared_ptr<const InstructionTable>;

// The table of an instruction text, as a load builds it: the text split at
// CR LF (a lone LF is an ordinary byte), sorted ascending, lines that are
// blank (ASCII and full-width spaces only, perhaps ending in a lead byte
// with nothing after it) or start with a space left out,
// and of several lines with the same first word only the first in sort
// order kept.
InstructionTableRef MakeInstructionTable(std::string text);

// An empty table, as before the first load.
InstructionTableRef EmptyInstructionTable();

// The table every look-up reads.
InstructionTableRef CurrentInstructionTable();
// Replaces the current table. Readers holding the old one keep it alive.
void PublishInstructionTable(InstructionTableRef table);

}  // namespace mnemora::app
