// The lookup tool against other programs and against its own timing: what
// another program sends to its windows, a close while queries run, and
// actions that overtake a query still being searched.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/instruction_lines.h"
#include "app/instruction_search.h"
#include "runtime/win_handles.h"
#include "tests/app_driver.h"
#include "tests/app_expectations.h"

namespace mnemora::app {
namespace {

using testing_support::RunningApp;

// An event the program's query workers wait on while it is not set.
class QueryHold {
 public:
  QueryHold()
      : name_("mnemora-query-hold-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++serial_)),
        event_(CreateEventA(nullptr, TRUE, FALSE, name_.c_str())) {}
  const std::string& Name() const { return name_; }
  void Release() const { SetEvent(event_.Get()); }
  void Hold() const { ResetEvent(event_.Get()); }

 private:
  static inline int serial_ = 0;
  std::string name_;
  UniqueKernelHandle event_;
};

// The windows of each kind the tool has, each once: the hidden owner, the
// main window, one unit of every kind and the edit box's adjuster.
std::vector<HWND> OneWindowOfEachClass(const RunningApp& app) {
  std::vector<HWND> windows;
  std::vector<std::string> classes;
  for (HWND window : app.AllWindows()) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::find(classes.begin(), classes.end(), name) == classes.end()) {
      classes.emplace_back(name);
      windows.push_back(window);
    }
  }
  return windows;
}

TEST(LookupAppThreads, MessagesFromAnotherProgramRunNothingAndCrashNothing) {
  RunningApp app;
  ASSERT_STARTED(app);
  ASSERT_NE(app.hideOwner, nullptr);
  // System libraries sit at the same address in every process of a session:
  // a message carrying this address once made the tool call it with 77.
  const auto exitProcess =
      reinterpret_cast<WPARAM>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "ExitProcess"));
  ASSERT_NE(exitProcess, 0u);
  const std::vector<HWND> windows = OneWindowOfEachClass(app);
  ASSERT_GE(windows.size(), 8u) << "hidden owner, main window and the unit kinds";
  constexpr UINT kEndProgram = 0x83E7;    // ends the tool with wParam, by design
  constexpr UINT kProgramClose = 0x8065;  // closes the window, by design
  // The hidden owner is sent every number with the address (a sent message
  // is what the attack used); every window is posted every number with the
  // address and with junk, in batches that keep its queue from filling.
  constexpr UINT kBatch = 256;
  for (UINT first = 0x8000; first <= 0xFFFF; first += kBatch) {
    for (UINT message = first; message < first + kBatch; ++message) {
      if (message == kEndProgram || message == kProgramClose) {
        continue;
      }
      DWORD_PTR ignored = 0;
      SendMessageTimeoutA(app.hideOwner, message, exitProcess, 77, SMTO_ABORTIFHUNG, 2000,
                          &ignored);
      for (HWND window : windows) {
        PostMessageA(window, message, exitProcess, 77);
        PostMessageA(window, message, 0xDEADBEEF, static_cast<LPARAM>(0xFEEDFACE0BADF00Dull));
      }
    }
    ASSERT_TRUE(app.Drain()) << "messages from " << std::hex << first;
    ASSERT_TRUE(app.Alive()) << "messages from " << std::hex << first;
  }
  // Parent notifications whose lParam names a child or points at a header.
  for (HWND window : windows) {
    for (UINT message : {UINT{WM_NOTIFY}, UINT{WM_DRAWITEM}, UINT{WM_COMMAND}}) {
      DWORD_PTR ignored = 0;
      SendMessageTimeoutA(window, message, 0xDEADBEEF, static_cast<LPARAM>(0xFEEDFACE0BADF00Dull),
                          SMTO_ABORTIFHUNG, 2000, &ignored);
    }
  }
  ASSERT_TRUE(app.Drain());
  ASSERT_TRUE(app.Alive());
  ASSERT_FALSE(app.ShowsMessageBox());
  app.ClearQuery();
  app.Type(app.queryBox, "mov");
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(app.Text(app.annotationBox), Expected(kDefaultText, "MOV", SearchField::kMnemonic));
  EXPECT_EQ(app.Selection(), app.FindItem("MOV"));
  EXPECT_EQ(app.Close(), 0u);
}

TEST(LookupAppThreads, UnitsWhoseObjectPropertyAnotherProgramRemovedCrashNothing) {
  RunningApp app;
  ASSERT_STARTED(app);
  // The property that names a window's unit object is the tool's own, but
  // any program can remove it. The main window and the hidden owner keep
  // theirs, so that the tool can still be closed as a person closes it.
  std::vector<HWND> units;
  for (HWND window : app.AllWindows()) {
    if (window != app.mainWindow && window != app.hideOwner &&
        RemovePropA(window, "MnemoraUnitObject") != nullptr) {
      units.push_back(window);
    }
  }
  ASSERT_GE(units.size(), 12u) << "every unit of the main window";
  for (HWND unit : units) {
    RedrawWindow(unit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(unit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("set"), SMTO_ABORTIFHUNG,
                        2000, &ignored);
  }
  ASSERT_TRUE(app.Drain());
  ASSERT_TRUE(app.Alive());
  for (HWND unit : {app.addButton, app.modifyButton, app.deleteButton, app.list, app.formatLabel,
                    app.deleteLabel, app.countLabel, app.queryBox}) {
    app.Click(unit);
  }
  app.Type(app.queryBox, "mov");
  app.Type(app.annotationBox, "abc");
  ASSERT_TRUE(app.Settle());
  ASSERT_TRUE(app.Alive());
  EXPECT_FALSE(app.ShowsMessageBox());
  // The click put the query box's caret after its text; WM_SETTEXT left the
  // annotation box's at the start.
  EXPECT_EQ(app.Text(app.queryBox), "setmov");
  EXPECT_EQ(app.Text(app.annotationBox), "abcset");
  EXPECT_EQ(app.Close(), 0u);
}

TEST(LookupAppThreads, EndMessagesFromAnotherProgramEndNoWindow) {
  RunningApp app;
  ASSERT_STARTED(app);
  const int entries = app.ItemCount();
  // Only DestroyWindow on the tool's own thread ends a window. The same
  // messages sent or posted by another program must neither end a unit
  // nor free the data of a control whose window lives on.
  for (HWND window : app.AllWindows()) {
    for (UINT message : {WM_DESTROY, WM_NCDESTROY}) {
      DWORD_PTR ignored = 0;
      SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
      PostMessageA(window, message, 0, 0);
    }
  }
  ASSERT_TRUE(app.Drain());
  ASSERT_TRUE(app.Alive());
  app.Type(app.queryBox, "mov");
  ASSERT_TRUE(app.Settle());
  ASSERT_TRUE(app.Alive());
  EXPECT_EQ(app.Text(app.queryBox), "mov");
  // The query's result lines and the list's selection of the instruction.
  EXPECT_NE(app.Text(app.annotationBox).find("MOVS"), std::string::npos);
  EXPECT_EQ(app.Selection(), app.FindItem("MOV"));
  EXPECT_EQ(app.ItemCount(), entries);
  app.Click(app.formatLabel);
  ASSERT_TRUE(app.Settle());
  EXPECT_FALSE(app.ShowsMessageBox());
  EXPECT_EQ(app.Close(), 0u);
}

// Another program can put the tool's window under one of its own. When
// that window ends, it ends the tool's from the other program's thread,
// and the tool ends as after a close.
TEST(LookupAppThreads, TheEndOfAWindowAnotherProgramPutTheToolUnderEndsTheTool) {
  RunningApp app;
  ASSERT_STARTED(app);
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  ASSERT_NE(SetParent(app.mainWindow, host), nullptr);
  DestroyWindow(host);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(LookupAppThreads, ClosingRightAfterQueriesAlwaysEndsWithExitCodeZero) {
  const std::string file = LargeFile(50);  // about 20,000 entries
  QueryHold hold;
  for (int round = 0; round < 12; ++round) {
    // Every third start holds its workers, so the close meets them provably
    // pending; the others close while searches run, at varied moments.
    const bool held = round % 3 == 0;
    RunningApp app(file, held ? hold.Name() : std::string());
    ASSERT_STARTED(app);
    app.Type(app.queryBox, "m");
    app.Type(app.queryBox, "o");
    app.Type(app.queryBox, "\bov");
    app.PressKey(app.queryBox, VK_RETURN);
    app.Type(app.queryBox, "_1");
    Sleep(static_cast<DWORD>(round * 9 % 50));
    EXPECT_FALSE(app.ShowsMessageBox()) << "round " << round;
    EXPECT_EQ(app.Close(), 0u) << "round " << round;
  }
}

TEST(LookupAppThreads, ActionsOnTheUiThreadOvertakeAPendingQuery) {
  QueryHold hold;
  RunningApp app(std::nullopt, hold.Name());
  ASSERT_STARTED(app);

  // Enter searches the annotations by the initials as typed ("a"); the
  // held worker would list the mnemonics that contain "A".
  app.Type(app.queryBox, "a");
  app.PressKey(app.queryBox, VK_RETURN);
  ASSERT_TRUE(app.Settle());
  hold.Release();
  ASSERT_TRUE(app.Settle());
  const std::string enterResult = Expected(kDefaultText, "a", SearchField::kAnnotation);
  ASSERT_NE(enterResult, Expected(kDefaultText, "A", SearchField::kMnemonic));
  EXPECT_EQ(app.Text(app.annotationBox), enterResult);

  // A list click while the query "mov" is pending: the click's entries
  // stay, and the selection is the clicked item, not MOV.
  hold.Hold();
  app.ClearQuery();
  app.Type(app.queryBox, "mov");
  const int add = app.FindItem("ADD");
  ASSERT_GE(add, 0);
  app.ClickItem(add);
  ASSERT_TRUE(app.Settle());
  hold.Release();
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(app.Text(app.annotationBox), Expected(kDefaultText, "ADD", SearchField::kMnemonic));
  EXPECT_EQ(app.Selection(), add);

  // A delete of the selected ADD while the query "mo" is pending keeps its
  // message.
  hold.Hold();
  app.Type(app.queryBox, "\b");
  app.Click(app.deleteButton);
  ASSERT_TRUE(app.Settle());
  hold.Release();
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(app.Text(app.annotationBox), kDeleteMessage);
  EXPECT_EQ(app.FindItem("ADD"), -1);
  EXPECT_EQ(app.Close(), 0u);
}

TEST(LookupAppThreads, AnEditNestedInAnEnterSearchKeepsItsMessage) {
  const std::string file = LargeFile(60);
  RunningApp app(file);
  ASSERT_STARTED(app);
  app.Type(app.queryBox, "mov");
  ASSERT_TRUE(app.Settle());
  // The Enter search of a large table processes the window's messages as it
  // reads: the queued delete click runs inside it, and the outer search
  // returns afterwards with its older result.
  app.PressKey(app.queryBox, VK_RETURN);
  app.Click(app.deleteButton);
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(app.Text(app.annotationBox), kDeleteMessage);
  EXPECT_EQ(app.FindItem("MOV"), -1);
  EXPECT_EQ(app.Close(), 0u);
}

}  // namespace
}  // namespace mnemora::app
