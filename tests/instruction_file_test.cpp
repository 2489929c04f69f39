// Reading and writing the instruction file in a directory of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "app/default_instruction_text.h"
#include "app/instruction_file.h"
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

class InstructionFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    directory_ = std::string(temp) + "mnemora-file-test-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(directory_.c_str(), nullptr);
    path_ = directory_ + "\\汇编指令集.txt";
  }
  void TearDown() override {
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path_.c_str());
    RemoveDirectoryA(directory_.c_str());
  }

  void Put(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
  }
  std::string Bytes() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string directory_;
  std::string path_;
};

TEST_F(InstructionFileTest, ReadsTheTextUpToTheFirstZeroByteOrFallsBackToTheDefaultSet) {
  EXPECT_EQ(ReadInstructionFile(path_), std::nullopt);
  EXPECT_EQ(ReadInstructionSet(path_)->Count(), 399);

  Put(std::string("MOV 传送\r\n\0ADD 加\r\n", 18));
  EXPECT_EQ(ReadInstructionFile(path_), "MOV 传送\r\n");
  EXPECT_EQ(LinesOf(*ReadInstructionSet(path_)), std::vector<std::string>{"MOV 传送"});

  // A file that is there but empty gives an empty table, not the default set.
  Put("");
  EXPECT_EQ(ReadInstructionFile(path_), "");
  EXPECT_EQ(ReadInstructionSet(path_)->Count(), 0);
}

TEST_F(InstructionFileTest, AWriteReplacesTheFileOrLeavesItWholeWhenRefused) {
  const std::string text(DefaultInstructionText());
  ASSERT_TRUE(WriteInstructionFile(path_, text));
  EXPECT_EQ(Bytes(), text);
  ASSERT_TRUE(WriteInstructionFile(path_, "NOP   空操作\r\n"));
  EXPECT_EQ(Bytes(), "NOP   空操作\r\n");

  // Read-only: refused, unchanged.
  SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(WriteInstructionFile(path_, text));
  SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Bytes(), "NOP   空操作\r\n");

  // Held open by another program that shares reading only: refused,
  // unchanged, and still readable.
  HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteInstructionFile(path_, text));
  EXPECT_EQ(ReadInstructionFile(path_), "NOP   空操作\r\n");
  CloseHandle(held);
  EXPECT_EQ(Bytes(), "NOP   空操作\r\n");
}

TEST_F(InstructionFileTest, SavingGivesUpAfterABoundedNumberOfAttempts) {
  int asked = 0;
  const std::string nowhere = directory_ + "\\missing\\汇编指令集.txt";
  EXPECT_FALSE(SaveInstructionText(
      [&] {
        ++asked;
        return nowhere;
      },
      "NOP   空操作\r\n"));
  EXPECT_EQ(asked, kSaveAttempts);

  asked = 0;
  EXPECT_TRUE(SaveInstructionText(
      [&] {
        ++asked;
        return path_;
      },
      "NOP   空操作\r\n"));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Bytes(), "NOP   空操作\r\n");
}

}  // namespace
}  // namespace mnemora::app
