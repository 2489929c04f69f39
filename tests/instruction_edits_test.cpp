// The file texts the three edits write, and what they take from the
// annotation box.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/default_instruction_text.h"
#include "app/instruction_edits.h"
#include "app/instruction_file.h"
#include "app/instruction_lines.h"
#include "app/instruction_table.h"
#include "app/work_pacing.h"

namespace mnemora::app {
namespace {

// The table's entries, in order.
std::vector<std::string> LinesOf(const InstructionTable& table) {
  std::vector<std::string> lines;
  for (int32_t i = 0; i < table.Count(); ++i) {
    lines.emplace_back(table.Line(i));
  }
  return lines;
}

InstructionTableRef DefaultTable() {
  return MakeInstructionTable(std::string(DefaultInstructionText()));
}

std::vector<std::string> FileLines(std::string_view text) {
  std::vector<std::string> lines;
  for (size_t end; (end = text.find("\r\n")) != std::string_view::npos;
       text.remove_prefix(end + 2)) {
    lines.emplace_back(text.substr(0, end));
  }
  EXPECT_TRUE(text.empty()) << "bytes after the last CR LF";
  return lines;
}

int g_paced = 0;
const EditPacing kCountPaces = [] { ++g_paced; };

TEST(EditInput, TheMnemonicAndAnnotationComeFromTheBoxText) {
  EXPECT_EQ(NewMnemonic("abc 新指令"), "ABC");
  EXPECT_EQ(EditedAnnotation("abc 新指令"), "新指令");
  // Only ASCII letters change case.
  EXPECT_EQ(NewMnemonic("mov传 x"), "MOV传");
  EXPECT_EQ(EditedAnnotation("mov 传送 字节"), "传送字节");
  EXPECT_EQ(InstructionLine("MOV", "传送字节"), "MOV   传送字节");
  // Nothing to take from a blank box.
  EXPECT_EQ(NewMnemonic(""), "");
  EXPECT_EQ(NewMnemonic("  \r\n  "), "");
  // A word that runs to the end of the box is its own annotation.
  EXPECT_EQ(EditedAnnotation("abc"), "abc");
}

TEST(EditInput, ALineBreakEndsTheMnemonicAndNeverEntersTheFile) {
  EXPECT_EQ(NewMnemonic("MOV\r\n传送"), "MOV");
  EXPECT_EQ(EditedAnnotation("MOV\r\n传送"), "传送");
  EXPECT_EQ(NewMnemonic("\r\nmov 传送"), "MOV");
  // Several result lines still join into one annotation without spaces.
  EXPECT_EQ(EditedAnnotation("MOV            传送字或字节.\r\nMOVED          x\r\n"),
            "传送字或字节.MOVEDx");
  EXPECT_EQ(EditedAnnotation("MOV     新说明\r\n"), "新说明");
}

TEST(EditFileText, AddWritesTheTableThenTheNewLineLast) {
  const InstructionTableRef table = DefaultTable();
  g_paced = 0;
  const std::string text = AddedFileText(*table, "ABC   新指令", kCountPaces);
  EXPECT_EQ(text, std::string(DefaultInstructionText()) + "ABC   新指令\r\n");
  EXPECT_EQ(g_paced, 400 / kEntriesPerCheckpoint);

  // The reload orders it and counts 400.
  const InstructionTableRef reloaded = MakeInstructionTable(text);
  ASSERT_EQ(reloaded->Count(), 400);
  EXPECT_EQ(LinesOf(*reloaded)[4], "ABC   新指令");

  // An existing mnemonic: both lines are written; the reload keeps the one
  // with more spaces, which sorts first, and the count stays.
  const std::string twice = AddedFileText(*table, "MOV   传送字节", kCountPaces);
  EXPECT_EQ(FileLines(twice).back(), "MOV   传送字节");
  const InstructionTableRef kept = MakeInstructionTable(twice);
  EXPECT_EQ(kept->Count(), 399);
  EXPECT_EQ(LinesOf(*kept)[static_cast<size_t>(kept->FindMnemonic("MOV"))],
            "MOV     传送字或字节.  ");
}

TEST(EditFileText, ModifyWritesDescendingWithTheChangedLine) {
  const InstructionTableRef table = DefaultTable();
  const std::vector<std::string> lines = FileLines(
      ModifiedFileText(*table, "MOV", EditedAnnotation("MOV     新说明\r\n"), kCountPaces));
  ASSERT_EQ(lines.size(), 399u);
  std::vector<std::string> expected = LinesOf(*table);
  std::reverse(expected.begin(), expected.end());
  expected[398 - 234] = "MOV   新说明";
  EXPECT_EQ(lines, expected);

  // An item that is no mnemonic changes nothing but the order.
  std::vector<std::string> descending = LinesOf(*table);
  std::reverse(descending.begin(), descending.end());
  EXPECT_EQ(FileLines(ModifiedFileText(*table, "NOSUCH", "x", kCountPaces)), descending);
}

TEST(EditFileText, DeleteWritesTheOtherLinesAscending) {
  const InstructionTableRef table = DefaultTable();
  const std::string text = DeletedFileText(*table, "MOV", kCountPaces);
  std::vector<std::string> expected = LinesOf(*table);
  expected.erase(expected.begin() + 234);
  EXPECT_EQ(FileLines(text), expected);
  EXPECT_EQ(MakeInstructionTable(text)->Count(), 398);
  // The first word must match whole: MOVS stays when MOV goes.
  EXPECT_NE(text.find("\r\nMOVS "), std::string::npos);
}

TEST(EditFileText, AnEmptyTableIsAnEmptyFile) {
  const InstructionTableRef empty = MakeInstructionTable("");
  EXPECT_EQ(InstructionFileText(*empty), "");
  EXPECT_EQ(DeletedFileText(*empty, "MOV", kCountPaces), "");
  EXPECT_EQ(AddedFileText(*empty, "NOP   空操作", kCountPaces), "NOP   空操作\r\n");
}

}  // namespace
}  // namespace mnemora::app
