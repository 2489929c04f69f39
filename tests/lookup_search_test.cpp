// The instruction table as a load builds it, and the searches the main
// window runs on it, checked on the default set and on small texts.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/default_instruction_text.h"
#include "app/instruction_file.h"
#include "app/instruction_lines.h"
#include "app/instruction_search.h"
#include "app/instruction_table.h"

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

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  while (!FirstWord(text).empty()) {
    const std::string_view word = FirstWord(text);
    words.emplace_back(word);
    text.remove_prefix(static_cast<size_t>(word.data() - text.data()) + word.size());
  }
  return words;
}

InstructionTableRef DefaultTable() {
  return MakeInstructionTable(std::string(DefaultInstructionText()));
}

std::string Search(const InstructionTable& table, std::string_view needle, SearchField field) {
  std::string result;
  EXPECT_TRUE(SearchInstructions(
      table, needle, field, [] { return true; }, &result));
  return result;
}

// The first word of every result line; every line must end in CR LF.
std::vector<std::string> ResultMnemonics(std::string_view result) {
  std::vector<std::string> mnemonics;
  for (size_t end; (end = result.find("\r\n")) != std::string_view::npos;
       result.remove_prefix(end + 2)) {
    mnemonics.emplace_back(FirstWord(result.substr(0, end)));
  }
  EXPECT_TRUE(result.empty()) << "a result line without CR LF";
  return mnemonics;
}

std::vector<std::string> Mnemonics(const InstructionTable& table) {
  std::vector<std::string> mnemonics;
  for (int32_t i = 0; i < table.Count(); ++i) {
    mnemonics.emplace_back(FirstWord(table.Line(i)));
  }
  return mnemonics;
}

TEST(InstructionTable, TheDefaultSetLoadsWholeAndIsWrittenBackByteForByte) {
  const InstructionTableRef table = DefaultTable();
  ASSERT_EQ(table->Count(), 399);
  EXPECT_EQ(table->Text(), DefaultInstructionText());
  EXPECT_EQ(Mnemonics(*table).front(), "AAA");
  EXPECT_EQ(Mnemonics(*table).back(), "XSTORE");
  EXPECT_EQ(InstructionFileText(*table), DefaultInstructionText());
  EXPECT_EQ(table->FindMnemonic("MOV"), 234);
  EXPECT_EQ(Mnemonics(*table)[234], "MOV");
  EXPECT_EQ(table->FindMnemonic("mov"), -1);
}

TEST(InstructionTable, LinesAreCutAtCrLfSortedFilteredAndKeptOncePerMnemonic) {
  // A lone LF is no line end: the whole text is one line.
  InstructionTableRef table = MakeInstructionTable("MOV 传送\nADD 加\n");
  ASSERT_EQ(table->Count(), 1);
  EXPECT_EQ(LinesOf(*table)[0], "MOV 传送\nADD 加\n");

  // The last line needs no CR LF; the lines come out sorted.
  table = MakeInstructionTable("MOV 传送\r\nADD 加");
  EXPECT_EQ(LinesOf(*table), (std::vector<std::string>{"ADD 加", "MOV 传送"}));

  // Of two lines with one mnemonic the first in byte order stays.
  table = MakeInstructionTable("MOV 移动\r\nMOV 传送\r\n");
  EXPECT_EQ(LinesOf(*table), (std::vector<std::string>{"MOV 传送"}));

  // Blank lines, lines of full-width spaces and lines that start with a
  // space are left out.
  table = MakeInstructionTable("\r\n   \r\n　　　\r\n  MOV 传送\r\n ADD 加\r\nNOP 空操作\r\n\r\n");
  EXPECT_EQ(LinesOf(*table), (std::vector<std::string>{"NOP 空操作"}));

  // A lead byte with nothing after it counts as nothing, alone or after
  // full-width spaces; it can only end the text, since it takes a CR after
  // it for its second byte. A lead byte before any other byte is a character.
  table = MakeInstructionTable(
      "NOP 空操作\r\n\xB0"
      "A\r\n\xB0");
  EXPECT_EQ(LinesOf(*table), (std::vector<std::string>{"NOP 空操作",
                                                       "\xB0"
                                                       "A"}));
  table = MakeInstructionTable("NOP 空操作\r\n　\xB0");
  EXPECT_EQ(LinesOf(*table), (std::vector<std::string>{"NOP 空操作"}));

  // "AB" sorts first, then "AB\x01x y" (another mnemonic), then "AB z": the
  // second AB line is a duplicate although it is not next to the first.
  table = MakeInstructionTable("AB z\r\nAB\x01x y\r\nAB\r\n");
  EXPECT_EQ(LinesOf(*table), (std::vector<std::string>{"AB", "AB\x01x y"}));
}

TEST(SearchInstructions, TypingMovListsTheThirtyFourEntriesInTableOrder) {
  const InstructionTableRef table = DefaultTable();
  const std::string result = Search(*table, "MOV", SearchField::kMnemonic);
  EXPECT_EQ(ResultMnemonics(result),
            Words("CMOVA CMOVB CMOVE CMOVG CMOVL CMOVNA CMOVNB CMOVNE CMOVNG CMOVNL CMOVNO CMOVNP "
                  "CMOVNS CMOVO CMOVP CMOVS FCMOVB FCMOVBE FCMOVE FCMOVNB FCMOVNBE FCMOVNE FCMOVNU "
                  "FCMOVU MOV MOVED MOVEQ MOVS MOVSB MOVSD MOVSW MOVSX MOVZX UMOV"));
  // The mnemonic padded to 15 bytes, the annotation without its spaces.
  EXPECT_NE(result.find("\r\nMOV            传送字或字节.\r\n"), std::string::npos);
  // Lower case finds nothing: the query box's text is upper-cased first.
  EXPECT_EQ(Search(*table, "mov", SearchField::kMnemonic), "");
}

TEST(SearchInstructions, MnemonicSearchesOfTheDocumentedQueries) {
  const InstructionTableRef table = DefaultTable();
  EXPECT_EQ(ResultMnemonics(Search(*table, "J", SearchField::kMnemonic)),
            Words("JA JA/JNBE JAE/JNB JB JB/JNAE JBE JBE/JNA JC JCXZ JE JE/JZ JECXZ JG JG/JNLE "
                  "JGE/JNL JL JL/JNGE JLE/JNG JMP JMPE JNB JNC JNE JNE/JNZ JNG JNL JNO JNP JNP/JPO "
                  "JNS JO JP JP/JPE JS"));
  EXPECT_EQ(table->FindMnemonic("J"), -1);
  // Selecting ADD in the list searches for the item's text.
  EXPECT_EQ(ResultMnemonics(Search(*table, "ADD", SearchField::kMnemonic)),
            Words("ADD FADD FADDP FIADD PADDB PADDD PADDSB PADDSIW PADDSW PADDUSB PADDUSW PADDW "
                  "PMADDWD XADD"));
  // A slash is an ordinary byte of a mnemonic.
  EXPECT_EQ(ResultMnemonics(Search(*table, "A/J", SearchField::kMnemonic)), Words("JA/JNBE"));
  // No selection: the item text is empty, and so is the result.
  EXPECT_EQ(Search(*table, "", SearchField::kMnemonic), "");
}

TEST(SearchInstructions, EnterSearchesTheAnnotationsByPinyinInitials) {
  const InstructionTableRef table = DefaultTable();
  EXPECT_EQ(ResultMnemonics(Search(*table, PinyinInitials("加法"), SearchField::kAnnotation)),
            Words("AAA AAS ADC CMP DAA DAS OUT SBB SUB"));
  EXPECT_EQ(ResultMnemonics(Search(*table, PinyinInitials("ASCII"), SearchField::kAnnotation)),
            Words("AAA AAD AAM AAS"));
  EXPECT_EQ(Search(*table, PinyinInitials("ascii"), SearchField::kAnnotation), "");
}

TEST(SearchInstructions, ResultLinesOfBareEntriesAndLongMnemonics) {
  const InstructionTableRef table = DefaultTable();
  EXPECT_EQ(Search(*table, "FDIVP", SearchField::kMnemonic), "FDIVP          \r\n");
  EXPECT_EQ(Search(*table, "WRSHR", SearchField::kMnemonic), "WRSHR          \r\n");
  // The full-width space is the whole annotation of PAVEB.
  EXPECT_EQ(Search(*table, "PAVEB", SearchField::kMnemonic), "PAVEB          　\r\n");

  const InstructionTableRef longOnes =
      MakeInstructionTable("ABCDEFGHIJKLMNO 十五\r\nABCDEFGHIJKLMNOP 十六\r\n");
  EXPECT_EQ(Search(*longOnes, "ABC", SearchField::kMnemonic),
            "ABCDEFGHIJKLMNO十五\r\nABCDEFGHIJKLMNOP十六\r\n");
  // A key's last bytes never join the next key's first ones.
  EXPECT_EQ(Search(*longOnes, "OA", SearchField::kMnemonic), "");
}

TEST(SearchInstructions, AMatchMayStartOnATrailByte) {
  // Two full-width signs, A3 A1 and A3 A2, which keep their bytes in the
  // converted key: "\xA1\xA3" lies across them.
  const InstructionTableRef table = MakeInstructionTable("X \xA3\xA1\xA3\xA2\r\n");
  EXPECT_EQ(ResultMnemonics(Search(*table, "\xA1\xA3", SearchField::kAnnotation)), Words("X"));
}

TEST(SearchInstructions, StopsWhenTheCheckpointSaysSoAndFindsEveryEntryOfALargeTable) {
  std::string text;
  constexpr int kEntries = 5 * kEntriesPerCheckpoint + 7;
  for (int i = 0; i < kEntries; ++i) {
    text += 'M';
    text += std::to_string(100000 + i);
    text += " 说明\r\n";
  }
  const InstructionTableRef table = MakeInstructionTable(text);
  ASSERT_EQ(table->Count(), kEntries);

  int checkpoints = 0;
  std::string result;
  EXPECT_TRUE(SearchInstructions(
      *table, "M", SearchField::kMnemonic, [&] { return ++checkpoints > 0; }, &result));
  EXPECT_EQ(ResultMnemonics(result).size(), static_cast<size_t>(kEntries));
  EXPECT_EQ(checkpoints, 6);

  checkpoints = 0;
  EXPECT_FALSE(SearchInstructions(
      *table, "M", SearchField::kMnemonic, [&] { return ++checkpoints < 2; }, &result));
  EXPECT_EQ(checkpoints, 2);
}

TEST(CurrentInstructionTable, ReadersKeepTheirTableWhileReloadsReplaceIt) {
  const InstructionTableRef before = DefaultTable();
  const InstructionTableRef after = MakeInstructionTable("MOV 移动\r\nMOVX 扩展\r\n");
  const std::string expectedBefore = Search(*before, "MOV", SearchField::kMnemonic);
  const std::string expectedAfter = Search(*after, "MOV", SearchField::kMnemonic);
  PublishInstructionTable(before);

  // Readers search whatever table is current while the main thread keeps
  // publishing fresh tables and dropping its own references to them.
  std::atomic<bool> stop{false};
  std::atomic<int> wrong{0};
  std::vector<std::thread> readers;
  for (int r = 0; r < 4; ++r) {
    readers.emplace_back([&] {
      while (!stop) {
        const InstructionTableRef table = CurrentInstructionTable();
        const std::string result = Search(*table, "MOV", SearchField::kMnemonic);
        if (result != expectedBefore && result != expectedAfter) {
          ++wrong;
        }
      }
    });
  }
  for (int i = 0; i < 200; ++i) {
    PublishInstructionTable(MakeInstructionTable(i % 2 == 0 ? after->Text() : before->Text()));
  }
  stop = true;
  for (std::thread& reader : readers) {
    reader.join();
  }
  EXPECT_EQ(wrong, 0);
  PublishInstructionTable(EmptyInstructionTable());
}

}  // namespace
}  // namespace mnemora::app
