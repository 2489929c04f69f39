#include "app/instruction_edits.h"

#include <vector>

#include "app/command_calls.h"
#include "app/instruction_lines.h"
#include "app/work_pacing.h"
#include "commands/text_commands.h"

namespace mnemora::app {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Appends one entry and its line end, pacing after every slice.
class FileTextBuilder {
 public:
  FileTextBuilder(size_t expectedSize, const EditPacing& pace) : pace_(pace) {
    text_.reserve(expectedSize);
  }
  void Append(std::string_view line) {
    text_ += line;
    text_ += kLineEnd;
    if (++sinceCheckpoint_ == kEntriesPerCheckpoint) {
      sinceCheckpoint_ = 0;
      pace_();
    }
  }
  std::string Take() { return std::move(text_); }

 private:
  const EditPacing& pace_;
  std::string text_;
  int32_t sinceCheckpoint_ = 0;
};

size_t FileSizeOf(const InstructionTable& table) {
  size_t size = 0;
  for (int32_t i = 0; i < table.Count(); ++i) {
    size += table.Line(i).size() + kLineEnd.size();
  }
  return size;
}

}  // namespace

std::string BoxTextForEditing(std::string_view boxText) {
  const std::string text(boxText);
  // Start and count left out: every pair, compared case-sensitively.
  return std::string(OwnedText(CallCore(ReplaceText, {TextArg(text), TextArg("\r\n"), TextArg(" "),
                                                      ArgValue::None(), ArgValue::None(),
                                                      ArgValue::Boolean(true)}))
                         .View());
}

std::string NewMnemonic(std::string_view boxText) {
  return UpperCased(std::string(FirstWord(BoxTextForEditing(boxText))));
}

std::string EditedAnnotation(std::string_view boxText) {
  return WordsAfterFirst(BoxTextForEditing(boxText));
}

std::string InstructionLine(std::string_view mnemonic, std::string_view annotation) {
  std::string line(mnemonic);
  line += "   ";
  line += annotation;
  return line;
}

std::string AddedFileText(const InstructionTable& table, std::string_view newLine,
                          const EditPacing& pace) {
  FileTextBuilder text(FileSizeOf(table) + newLine.size() + kLineEnd.size(), pace);
  for (int32_t i = 0; i < table.Count(); ++i) {
    text.Append(table.Line(i));
  }
  text.Append(newLine);
  return text.Take();
}

std::string ModifiedFileText(const InstructionTable& table, std::string_view mnemonic,
                             std::string_view annotation, const EditPacing& pace) {
  const std::string changed = InstructionLine(mnemonic, annotation);
  FileTextBuilder text(FileSizeOf(table) + changed.size(), pace);
  for (int32_t i = table.Count() - 1; i >= 0; --i) {
    const std::string_view line = table.Line(i);
    text.Append(FirstWord(line) == mnemonic ? std::string_view(changed) : line);
  }
  return text.Take();
}

std::string DeletedFileText(const InstructionTable& table, std::string_view mnemonic,
                            const EditPacing& pace) {
  std::vector<std::string_view> descending;
  descending.reserve(static_cast<size_t>(table.Count()));
  for (int32_t i = 0; i < table.Count(); ++i) {
    descending.push_back(table.Line(i));
  }
  SortLines(descending, false);
  FileTextBuilder text(FileSizeOf(table), pace);
  for (auto line = descending.rbegin(); line != descending.rend(); ++line) {
    if (FirstWord(*line) != mnemonic) {
      text.Append(*line);
    }
  }
  return text.Take();
}

}  // namespace mnemora::app
