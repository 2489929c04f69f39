#include "tests/app_expectations.h"

#include "app/default_instruction_text.h"
#include "app/instruction_lines.h"
#include "app/instruction_table.h"

namespace mnemora::app {

const std::string kDefaultText(DefaultInstructionText());

std::string Expected(const std::string& fileText, std::string_view needle, SearchField field) {
  std::string result;
  SearchInstructions(
      *MakeInstructionTable(fileText), needle, field, [] { return true; }, &result);
  return result;
}

std::vector<std::string> Mnemonics(const std::string& fileText) {
  const InstructionTableRef table = MakeInstructionTable(fileText);
  std::vector<std::string> mnemonics;
  for (int32_t i = 0; i < table->Count(); ++i) {
    mnemonics.emplace_back(FirstWord(table->Line(i)));
  }
  return mnemonics;
}

std::vector<std::string> FileLines(std::string_view text) {
  std::vector<std::string> lines;
  for (size_t end; (end = text.find("\r\n")) != std::string_view::npos;
       text.remove_prefix(end + 2)) {
    lines.emplace_back(text.substr(0, end));
  }
  return lines;
}

::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) {
    return ::testing::AssertionSuccess();
  }
  const std::vector<std::string> a = FileLines(actual);
  const std::vector<std::string> e = FileLines(expected);
  size_t line = 0;
  while (line < a.size() && line < e.size() && a[line] == e[line]) {
    ++line;
  }
  return ::testing::AssertionFailure()
         << "line " << line + 1 << " is \"" << (line < a.size() ? a[line] : "(none)")
         << "\", expected \"" << (line < e.size() ? e[line] : "(none)") << "\" (" << a.size()
         << " and " << e.size() << " lines)";
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string LargeFile(int variants) {
  const std::vector<std::string> lines = FileLines(kDefaultText);
  std::string text = kDefaultText;
  for (int v = 1; v <= variants; ++v) {
    for (size_t i = 0; i < lines.size(); ++i) {
      text += FirstWord(lines[i]);
      text += '_';
      text += std::to_string(v);
      text += "  ";
      text += WordsAfterFirst(lines[(i * 7 + static_cast<size_t>(v)) % lines.size()]);
      text += "\r\n";
    }
  }
  return text;
}

}  // namespace mnemora::app
