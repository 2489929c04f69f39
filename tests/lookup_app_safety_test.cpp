// What the edits never do to a user's file, end to end: the real program,
// clicked as a person would, checked by the instruction file's bytes and by
// the backup kept beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/instruction_edits.h"
#include "app/instruction_table.h"
#include "tests/app_driver.h"
#include "tests/app_expectations.h"

namespace mnemora::app {
namespace {

using testing_support::RunningApp;

TEST(LookupAppSafety, AFileUnreadableAtStartIsNeverWrittenFromTheEmptyTable) {
  HANDLE held = INVALID_HANDLE_VALUE;
  // Another program holds the file without sharing it while the tool loads.
  RunningApp app(kDefaultText, {}, [&](const std::string& path) {
    held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
  });
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ASSERT_STARTED(app);
  EXPECT_EQ(app.Text(app.countLabel), "共有：0条汇编指令！");
  EXPECT_EQ(app.ItemCount(), 0);

  // Still held: the add writes nothing and says nothing.
  app.Type(app.annotationBox, "abc 新指令");
  app.Click(app.addButton);
  ASSERT_TRUE(app.Settle());
  CloseHandle(held);
  EXPECT_EQ(app.Text(app.annotationBox), "abc 新指令");
  EXPECT_TRUE(SameBytes(app.FileBytes(), kDefaultText));
  EXPECT_EQ(app.BackupBytes(), std::nullopt);

  // Released: the add reads the file first and keeps every line of it.
  app.Click(app.addButton);
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == kAddMessage; }));
  EXPECT_TRUE(SameBytes(app.FileBytes(), kDefaultText + "ABC   新指令\r\n"));
  EXPECT_TRUE(SameBytes(app.BackupBytes().value_or(""), kDefaultText));
  EXPECT_EQ(app.Text(app.countLabel), "共有：400条汇编指令！");
}

TEST(LookupAppSafety, EveryEditKeepsTheBytesTheFileHadAndARefusedOneChangesNeither) {
  // Bytes the load drops on purpose: a line ending in LF only, a line
  // starting with a space and the tail after a zero byte.
  const std::string original =
      kDefaultText + "ZZZ 尾\n ignored\r\n" + std::string(1, '\0') + "tail";
  RunningApp app(original);
  ASSERT_STARTED(app);
  app.Type(app.queryBox, "mov");
  ASSERT_TRUE(app.Settle());
  app.Click(app.deleteButton);
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == kDeleteMessage; }));
  const std::string deleted = app.FileBytes();
  EXPECT_EQ(deleted.find("MOV     "), std::string::npos);
  EXPECT_TRUE(SameBytes(app.BackupBytes().value_or(""), original));

  // One generation: the next edit keeps the file the delete wrote.
  app.DoubleClick(app.annotationBox);
  app.Type(app.annotationBox, "abc 新指令");
  app.Click(app.addButton);
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == kAddMessage; }));
  const std::string added = app.FileBytes();
  EXPECT_TRUE(SameBytes(added, deleted + "ABC   新指令\r\n"));
  EXPECT_TRUE(SameBytes(app.BackupBytes().value_or(""), deleted));

  // Read-only, then held open sharing reading only: neither file changes.
  SetFileAttributesA(app.FilePath().c_str(), FILE_ATTRIBUTE_READONLY);
  app.DoubleClick(app.annotationBox);
  app.Type(app.annotationBox, "xyz 又一条");
  app.Click(app.addButton);
  ASSERT_TRUE(app.Settle());
  SetFileAttributesA(app.FilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE held = CreateFileA(app.FilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  app.Click(app.addButton);
  ASSERT_TRUE(app.Settle());
  CloseHandle(held);
  EXPECT_EQ(app.Text(app.annotationBox), "xyz 又一条");
  EXPECT_TRUE(SameBytes(app.FileBytes(), added));
  EXPECT_TRUE(SameBytes(app.BackupBytes().value_or(""), deleted));
}

TEST(LookupAppSafety, AClickOnAnEditButtonWhileAnEditRunsIsIgnored) {
  // Enough entries for the add to process messages while it builds its text.
  const std::string file = LargeFile(10);
  RunningApp app(file);
  ASSERT_STARTED(app);
  app.Type(app.queryBox, "mov");
  ASSERT_TRUE(app.Settle());
  app.DoubleClick(app.annotationBox);
  app.Type(app.annotationBox, "abc 新指令");
  ASSERT_TRUE(app.Settle());
  // Both clicks wait in the queue: the delete's arrives while the add runs.
  app.QueueTogether([&] {
    app.Click(app.addButton);
    app.Click(app.deleteButton);
  });
  ASSERT_TRUE(app.Settle());
  const std::string expected = AddedFileText(*MakeInstructionTable(file), "ABC   新指令", [] {});
  EXPECT_TRUE(SameBytes(app.FileBytes(), expected));
  // The add replaced the file as it was, not a file a nested delete wrote.
  EXPECT_TRUE(SameBytes(app.BackupBytes().value_or(""), file));
  EXPECT_EQ(app.Text(app.annotationBox), kAddMessage);
  EXPECT_NE(app.FindItem("MOV"), -1);
}

}  // namespace
}  // namespace mnemora::app
