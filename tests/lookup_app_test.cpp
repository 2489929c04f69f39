// The lookup tool end to end: the real program in a directory of its own,
// typed at and clicked as a person would, checked by what its window shows
// and by the bytes of its instruction file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/default_instruction_text.h"
#include "app/instruction_edits.h"
#include "app/instruction_file.h"
#include "app/instruction_lines.h"
#include "app/instruction_search.h"
#include "app/instruction_table.h"
#include "tests/app_driver.h"
#include "tests/app_expectations.h"

namespace mnemora::app {
namespace {

using testing_support::RunningApp;

TEST(LookupApp, FirstStartWritesTheDefaultSetAndListsIt) {
  RunningApp app;
  ASSERT_STARTED(app);
  EXPECT_TRUE(SameBytes(app.FileBytes(), kDefaultText));
  EXPECT_EQ(app.Items(), Mnemonics(kDefaultText));
  EXPECT_EQ(app.Items().size(), 399u);
  EXPECT_EQ(app.Text(app.countLabel), "共有：399条汇编指令！");
  EXPECT_EQ(app.Focus(), app.queryBox);
  EXPECT_EQ(app.Selection(), -1);
  EXPECT_FALSE(app.Visible(app.helpPanel));
}

TEST(LookupApp, TypingSelectingAndEnterShowTheDocumentedEntries) {
  RunningApp app(kDefaultText);
  ASSERT_STARTED(app);

  // Typing mov lists the 34 entries whose mnemonic holds MOV and selects MOV.
  app.Type(app.queryBox, "mov");
  const std::string movResult = Expected(kDefaultText, "MOV", SearchField::kMnemonic);
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == movResult; }));
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(FileLines(app.Text(app.annotationBox)).size(), 34u);
  EXPECT_EQ(app.Selection(), app.FindItem("MOV"));

  // J is no mnemonic of its own: the selection stays on MOV.
  app.ClearQuery();
  app.Type(app.queryBox, "j");
  const std::string jResult = Expected(kDefaultText, "J", SearchField::kMnemonic);
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == jResult; }));
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(app.Selection(), app.FindItem("MOV"));

  // Clicking ADD in the list shows every entry whose mnemonic holds ADD.
  app.ClickItem(app.FindItem("ADD"));
  const std::string addResult = Expected(kDefaultText, "ADD", SearchField::kMnemonic);
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == addResult; }));
  EXPECT_EQ(FileLines(addResult).size(), 14u);

  // Enter searches the annotations by pinyin initials: 减法 shares 加法's jf.
  app.ClearQuery();
  app.Type(app.queryBox, "加法");
  ASSERT_TRUE(app.Settle());
  app.PressKey(app.queryBox, VK_RETURN);
  const std::string jfResult = Expected(kDefaultText, "jf", SearchField::kAnnotation);
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == jfResult; }));
  std::vector<std::string> found;
  for (const std::string& line : FileLines(jfResult)) {
    found.emplace_back(FirstWord(line));
  }
  EXPECT_EQ(found, (std::vector<std::string>{"AAA", "AAS", "ADC", "CMP", "DAA", "DAS", "OUT", "SBB",
                                             "SUB"}));

  app.ClearQuery();
  app.Type(app.queryBox, "ASCII");
  ASSERT_TRUE(app.Settle());
  app.PressKey(app.queryBox, VK_RETURN);
  const std::string asciiResult = Expected(kDefaultText, "ASCII", SearchField::kAnnotation);
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == asciiResult; }));
  EXPECT_EQ(FileLines(asciiResult).size(), 4u);

  app.ClearQuery();
  app.Type(app.queryBox, "ascii");
  ASSERT_TRUE(app.Settle());
  app.PressKey(app.queryBox, VK_RETURN);
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(app.Text(app.annotationBox), "");

  // An entry without annotation: its padded mnemonic and CR LF.
  app.ClearQuery();
  app.Type(app.queryBox, "fdivp");
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == "FDIVP          \r\n"; }));

  // A double click empties the annotation box.
  ASSERT_TRUE(app.Settle());
  app.DoubleClick(app.annotationBox);
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(app.Text(app.annotationBox), "");
}

TEST(LookupApp, HelpPicturesShowOverTheBoxAndHide) {
  RunningApp app(kDefaultText);
  ASSERT_STARTED(app);
  app.Click(app.formatLabel);
  EXPECT_TRUE(app.WaitUntil([&] { return app.Visible(app.helpPanel); }));
  app.Click(app.helpPanel);
  EXPECT_TRUE(app.WaitUntil([&] { return !app.Visible(app.helpPanel); }));

  app.Click(app.deleteLabel);
  EXPECT_TRUE(app.WaitUntil([&] { return app.Visible(app.helpPanel); }));
  // A query hides the picture again.
  app.Type(app.queryBox, "n");
  EXPECT_TRUE(app.WaitUntil([&] { return !app.Visible(app.helpPanel); }));
}

TEST(LookupApp, LongMnemonicsAreShownWhole) {
  const std::string file = "ABCDEFGHIJKLMNO 十五\r\nABCDEFGHIJKLMNOP 十六\r\nNOP 空操作\r\n";
  RunningApp app(file);
  ASSERT_STARTED(app);
  EXPECT_EQ(app.Text(app.countLabel), "共有：3条汇编指令！");
  app.Type(app.queryBox, "abc");
  EXPECT_TRUE(app.WaitUntil([&] {
    return app.Text(app.annotationBox) == "ABCDEFGHIJKLMNO十五\r\nABCDEFGHIJKLMNOP十六\r\n";
  }));
}

TEST(LookupApp, ResultColumnsLineUpOnTheScreen) {
  RunningApp app(kDefaultText);
  ASSERT_STARTED(app);
  app.Type(app.queryBox, "movs");
  ASSERT_TRUE(app.Settle());
  // Each result line pads its mnemonic to 15 bytes of ASCII: where the
  // annotation starts on the screen is the same on every line only when
  // the box's font gives every ASCII character one width.
  const std::vector<int> starts = app.ColumnPositions(app.annotationBox, 15);
  ASSERT_EQ(starts.size(), 6u);
  const auto [left, right] = std::minmax_element(starts.begin(), starts.end());
  EXPECT_LE(*right - *left, 1) << "annotation columns spread over " << *right - *left << " px";
}

TEST(LookupApp, AddModifyAndDeleteRewriteTheFileAndTheList) {
  {
    RunningApp app(kDefaultText);
    ASSERT_STARTED(app);
    app.Type(app.annotationBox, "abc 新指令");
    app.Click(app.addButton);
    EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == kAddMessage; }));
    EXPECT_TRUE(SameBytes(app.FileBytes(), kDefaultText + "ABC   新指令\r\n"));
    EXPECT_EQ(app.Text(app.countLabel), "共有：400条汇编指令！");
    EXPECT_EQ(app.FindItem("ABC"), 4);
    EXPECT_EQ(app.Selection(), -1);
  }
  {
    RunningApp app(kDefaultText);
    ASSERT_STARTED(app);
    app.Type(app.queryBox, "mov");  // selects MOV
    ASSERT_TRUE(app.Settle());
    app.DoubleClick(app.annotationBox);
    app.Type(app.annotationBox, "MOV     新说明\r\n");
    app.Click(app.modifyButton);
    EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == kModifyMessage; }));
    std::vector<std::string> expected = FileLines(kDefaultText);
    std::reverse(expected.begin(), expected.end());
    std::replace(expected.begin(), expected.end(), std::string("MOV     传送字或字节.  "),
                 std::string("MOV   新说明"));
    EXPECT_TRUE(SameBytes(app.FileBytes(), Joined(expected)));
    EXPECT_EQ(app.Text(app.countLabel), "共有：399条汇编指令！");
  }
  {
    RunningApp app(kDefaultText);
    ASSERT_STARTED(app);
    app.Type(app.queryBox, "mov");
    ASSERT_TRUE(app.Settle());
    ASSERT_EQ(app.Selection(), app.FindItem("MOV"));
    app.Click(app.deleteButton);
    EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == kDeleteMessage; }));
    std::vector<std::string> expected = FileLines(kDefaultText);
    expected.erase(std::find(expected.begin(), expected.end(), "MOV     传送字或字节.  "));
    EXPECT_TRUE(SameBytes(app.FileBytes(), Joined(expected)));
    EXPECT_EQ(app.Text(app.countLabel), "共有：398条汇编指令！");
    EXPECT_EQ(app.FindItem("MOV"), -1);
  }
}

TEST(LookupApp, EditsWithNothingToWorkOnDoNothingAndSayNothing) {
  RunningApp app(kDefaultText);
  ASSERT_STARTED(app);
  // Add with a blank box; modify and delete with no list selection.
  app.Type(app.annotationBox, "  \r\n");
  app.Click(app.addButton);
  app.Click(app.modifyButton);
  app.Click(app.deleteButton);
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(app.Text(app.annotationBox), "  \r\n");
  EXPECT_TRUE(SameBytes(app.FileBytes(), kDefaultText));
  EXPECT_EQ(app.Text(app.countLabel), "共有：399条汇编指令！");

  // A first line without a space still ends the mnemonic at the line
  // break: the file gets one line MOV, three spaces, 传送, and nothing else.
  app.DoubleClick(app.annotationBox);
  app.Type(app.annotationBox, "MOV\r\n传送");
  app.Click(app.addButton);
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.annotationBox) == kAddMessage; }));
  EXPECT_TRUE(SameBytes(app.FileBytes(), kDefaultText + "MOV   传送\r\n"));
  // The existing MOV line sorts first and stays the one listed.
  EXPECT_EQ(app.Text(app.countLabel), "共有：399条汇编指令！");
}

TEST(LookupApp, ARefusedWriteChangesNothingAndSaysNothing) {
  RunningApp app(kDefaultText);
  ASSERT_STARTED(app);
  const std::vector<std::string> items = app.Items();

  SetFileAttributesA(app.FilePath().c_str(), FILE_ATTRIBUTE_READONLY);
  app.Type(app.annotationBox, "abc 新指令");
  app.Click(app.addButton);
  ASSERT_TRUE(app.Settle());
  SetFileAttributesA(app.FilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(app.Text(app.annotationBox), "abc 新指令");
  EXPECT_TRUE(SameBytes(app.FileBytes(), kDefaultText));
  EXPECT_EQ(app.Items(), items);
  EXPECT_EQ(app.Text(app.countLabel), "共有：399条汇编指令！");

  // Another program holds the file open and shares reading only.
  HANDLE held = CreateFileA(app.FilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  app.Type(app.queryBox, "mov");
  ASSERT_TRUE(app.Settle());
  app.Click(app.deleteButton);
  ASSERT_TRUE(app.Settle());
  CloseHandle(held);
  EXPECT_EQ(app.Text(app.annotationBox), Expected(kDefaultText, "MOV", SearchField::kMnemonic));
  EXPECT_TRUE(SameBytes(app.FileBytes(), kDefaultText));
  EXPECT_EQ(app.Items(), items);
  EXPECT_EQ(app.Text(app.countLabel), "共有：399条汇编指令！");
}

TEST(LookupApp, OverlappingQueriesEndWithTheNewestResults) {
  const std::string file = LargeFile(40);
  RunningApp app(file);
  ASSERT_STARTED(app);
  // Every character and every backspace starts a query; all of them are
  // queued at once, so their workers overlap.
  for (int round = 0; round < 5; ++round) {
    app.Type(app.queryBox, "a");
    app.Type(app.queryBox, "d");
    app.Type(app.queryBox, "\b\b");
    app.Type(app.queryBox, "mo");
    app.Type(app.queryBox, "\b\b");
  }
  app.Type(app.queryBox, "mov");
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(app.Text(app.queryBox), "mov");
  EXPECT_TRUE(app.Text(app.annotationBox) == Expected(file, "MOV", SearchField::kMnemonic));
  EXPECT_EQ(app.Selection(), app.FindItem("MOV"));
}

TEST(LookupApp, AReloadWhileQueriesRunKeepsEveryoneConsistent) {
  const std::string file = LargeFile(40);
  RunningApp app(file);
  ASSERT_STARTED(app);
  app.Type(app.queryBox, "mov");
  ASSERT_TRUE(app.Settle());
  ASSERT_EQ(app.Selection(), app.FindItem("MOV"));

  // Queries running while the delete rewrites the file and reloads the
  // table, and more queries right after it. The Enter search runs on the
  // window's own thread and lets the window handle the queued click while
  // it is still reading: the delete and its reload run in the middle of it.
  app.Type(app.queryBox, "e\b_1\b\b");
  app.PressKey(app.queryBox, VK_RETURN);
  app.Click(app.deleteButton);
  app.Type(app.queryBox, "e\b_2\b\b");
  ASSERT_TRUE(app.Settle());
  ASSERT_TRUE(app.Alive());

  const std::string expectedFile = DeletedFileText(*MakeInstructionTable(file), "MOV", [] {});
  EXPECT_TRUE(SameBytes(app.FileBytes(), expectedFile));
  const InstructionTableRef expectedTable = MakeInstructionTable(expectedFile);
  EXPECT_EQ(app.ItemCount(), expectedTable->Count());
  EXPECT_EQ(app.FindItem("MOV"), -1);
  EXPECT_EQ(app.FindItem("MOVED"), expectedTable->FindMnemonic("MOVED"));

  // The program answers the next query from the new table.
  app.Type(app.queryBox, "_3");
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(app.Text(app.annotationBox), Expected(expectedFile, "MOV_3", SearchField::kMnemonic));
  EXPECT_EQ(app.Selection(), expectedTable->FindMnemonic("MOV_3"));
}

}  // namespace
}  // namespace mnemora::app
