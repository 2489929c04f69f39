// Reading and writing the instruction file in a directory of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/default_instruction_text.h"
#include "app/instruction_file.h"
#include "app/instruction_table.h"

namespace mnemora::app {
namespace {

using namespace std::string_literals;

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
    for (const std::string& file : {path_, BackupFilePath(path_), path_ + ".new"}) {
      SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(file.c_str());
    }
    RemoveDirectoryA(directory_.c_str());
  }

  void Put(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
  }
  static std::string BytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Bytes() const { return BytesOf(path_); }

  std::string directory_;
  std::string path_;
};

TEST_F(InstructionFileTest, ReadsTheTextUpToTheFirstZeroByteOrFallsBackToTheDefaultSet) {
  EXPECT_EQ(ReadInstructionFile(path_).found, FileFound::kMissing);
  LoadedInstructions loaded = ReadInstructionSet(path_);
  EXPECT_EQ(loaded.found, FileFound::kMissing);
  EXPECT_EQ(loaded.table->Count(), 399);

  Put(std::string("MOV 传送\r\n\0ADD 加\r\n", 18));
  EXPECT_EQ(ReadInstructionFile(path_).text, "MOV 传送\r\n");
  EXPECT_EQ(LinesOf(*ReadInstructionSet(path_).table), std::vector<std::string>{"MOV 传送"});

  // A file that is there but empty gives an empty table, not the default
  // set, and counts as read; so does one whose first byte is zero.
  for (const std::string& bytes : {""s, "\0MOV 传送\r\n"s}) {
    Put(bytes);
    loaded = ReadInstructionSet(path_);
    EXPECT_EQ(loaded.found, FileFound::kRead);
    EXPECT_EQ(loaded.table->Count(), 0);
  }
}

TEST_F(InstructionFileTest, AFileHeldWithoutSharingIsUnreadableNotEmpty) {
  Put("MOV 传送\r\n");
  HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const LoadedInstructions loaded = ReadInstructionSet(path_);
  CloseHandle(held);
  EXPECT_EQ(loaded.found, FileFound::kUnreadable);
  EXPECT_EQ(loaded.table->Count(), 0);
  EXPECT_EQ(ReadInstructionFile(path_).found, FileFound::kRead);
}

TEST_F(InstructionFileTest, AnEditsWriteKeepsThePreviousBytesAsTheBackup) {
  const std::string backup = BackupFilePath(path_);
  EXPECT_EQ(backup, path_ + ".bak");
  // No file yet: written, nothing to keep.
  ASSERT_TRUE(ReplaceInstructionFile(path_, "ADD 加\r\n"));
  EXPECT_EQ(Bytes(), "ADD 加\r\n");
  EXPECT_EQ(GetFileAttributesA(backup.c_str()), INVALID_FILE_ATTRIBUTES);

  // Bytes the load would drop are kept in the backup, one generation.
  const std::string dropped = "MOV 传送\nNOP\r\n\0tail"s;
  Put(dropped);
  ASSERT_TRUE(ReplaceInstructionFile(path_, "MOV 传送\r\n"));
  EXPECT_EQ(Bytes(), "MOV 传送\r\n");
  EXPECT_EQ(BytesOf(backup), dropped);
  ASSERT_TRUE(ReplaceInstructionFile(path_, "NOP 空操作\r\n"));
  EXPECT_EQ(Bytes(), "NOP 空操作\r\n");
  EXPECT_EQ(BytesOf(backup), "MOV 传送\r\n");

  // Read-only, or held open by another program: neither file changes and
  // nothing is left beside them.
  SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(ReplaceInstructionFile(path_, "XOR 异或\r\n"));
  SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  for (const DWORD sharing : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
    HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ReplaceInstructionFile(path_, "XOR 异或\r\n")) << sharing;
    CloseHandle(held);
  }
  EXPECT_EQ(Bytes(), "NOP 空操作\r\n");
  EXPECT_EQ(BytesOf(backup), "MOV 传送\r\n");
  EXPECT_EQ(GetFileAttributesA((path_ + ".new").c_str()), INVALID_FILE_ATTRIBUTES);

  // A backup that cannot be made (its name is taken by a directory) stops
  // the edit before anything moves.
  DeleteFileA(backup.c_str());
  ASSERT_TRUE(CreateDirectoryA(backup.c_str(), nullptr));
  EXPECT_FALSE(ReplaceInstructionFile(path_, "XOR 异或\r\n"));
  RemoveDirectoryA(backup.c_str());
  EXPECT_EQ(Bytes(), "NOP 空操作\r\n");
  EXPECT_EQ(GetFileAttributesA((path_ + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
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
  EXPECT_EQ(ReadInstructionFile(path_).text, "NOP   空操作\r\n");
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
