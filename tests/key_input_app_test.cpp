// The tool's keys as a person presses them: the global hot keys with
// another program in the foreground, a held key, and the Alt keys of the
// window itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/app_driver.h"
#include "tests/app_expectations.h"
#include "tests/outside_program.h"

namespace mnemora::app {
namespace {

using testing_support::ForegroundWindow;
using testing_support::KeyDown;
using testing_support::KeyUp;
using testing_support::RunningApp;
using testing_support::SetClipboardText;

void Press(WORD key) {
  KeyDown(key);
  KeyUp(key);
}

// The monitor box's report of a key.
std::string Report(const char* name, int code) {
  return std::string("Name:") + name + "   Value:" + std::to_string(code);
}

std::string Upper(std::string text) {
  for (char& c : text) {
    c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return text;
}

// The window shows before its creation sequence has installed the monitor:
// Shift is pressed until a report comes back.
bool Monitoring(const RunningApp& app, const ForegroundWindow& front) {
  const std::string shift = Report("Shift", VK_SHIFT);
  for (int attempt = 0; attempt < 50; ++attempt) {
    Press(VK_SHIFT);
    front.Pump();
    if (app.WaitUntil([&] { return app.Text(app.monitorBox) == shift; })) {
      return true;
    }
  }
  return false;
}

// Every key pressed so far has been reported and acted on: A pressed after
// them is named last.
bool KeysHandled(const RunningApp& app, const ForegroundWindow& front) {
  Press('A');
  front.Pump();
  const std::string report = Report("A", 'A');
  return app.WaitUntil([&] { return app.Text(app.monitorBox) == report; }) && app.Settle();
}

TEST(KeyInputApp, HotKeysFromAnotherProgramActOnEachKeyAsPressed) {
  RunningApp app;
  ASSERT_STARTED(app);
  ASSERT_NE(app.monitorBox, nullptr);
  ForegroundWindow front;
  ASSERT_TRUE(front.InFront());
  ASSERT_TRUE(Monitoring(app, front));

  // C, then Ctrl+C right after: the C's report is still being handled when
  // the next keys are reported.
  for (const char* copied : {"mov eax, ebx", "add ax, 1", "ascii"}) {
    ASSERT_TRUE(SetClipboardText(copied));
    Press('C');
    Sleep(30);
    KeyDown(VK_CONTROL);
    Press('C');
    KeyUp(VK_CONTROL);
    front.Pump();
    const std::string word = std::string(copied).substr(0, std::string(copied).find(' '));
    EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.queryBox) == word; }))
        << copied << ": the query box shows '" << app.Text(app.queryBox) << "'";
    ASSERT_TRUE(KeysHandled(app, front));
    EXPECT_EQ(app.Text(app.annotationBox),
              Expected(kDefaultText, Upper(word), SearchField::kMnemonic));
  }

  // F6 then C, and Ctrl then C with other keys between, fire too.
  ASSERT_TRUE(SetClipboardText("mov"));
  Press(VK_F6);
  Press('C');
  front.Pump();
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.queryBox) == "mov"; }));
  ASSERT_TRUE(SetClipboardText("add"));
  Press(VK_CONTROL);
  Press('B');
  Press(VK_SHIFT);
  Press('C');
  front.Pump();
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.queryBox) == "add"; }));
  ASSERT_TRUE(KeysHandled(app, front));
  EXPECT_EQ(app.Text(app.annotationBox), Expected(kDefaultText, "ADD", SearchField::kMnemonic));
  EXPECT_FALSE(app.ShowsMessageBox());
  EXPECT_EQ(app.Close(), 0u);
}

TEST(KeyInputApp, AHeldCtrlLeavesNothingPendingOnceReleased) {
  RunningApp app;
  ASSERT_STARTED(app);
  ForegroundWindow front;
  ASSERT_TRUE(front.InFront());
  ASSERT_TRUE(Monitoring(app, front));

  // Two seconds of key repeat at the usual thirty a second.
  KeyDown(VK_CONTROL);
  for (int repeat = 0; repeat < 60; ++repeat) {
    Sleep(33);
    KeyDown(VK_CONTROL);
    front.Pump();
  }
  KeyUp(VK_CONTROL);
  front.Pump();
  ASSERT_TRUE(KeysHandled(app, front));

  // A query answers, and the held Ctrl still counts for a C after it.
  app.ClearQuery();
  app.Type(app.queryBox, "mov");
  ASSERT_TRUE(app.Settle());
  EXPECT_EQ(app.Text(app.annotationBox), Expected(kDefaultText, "MOV", SearchField::kMnemonic));
  ASSERT_TRUE(SetClipboardText("add"));
  Press('C');
  front.Pump();
  EXPECT_TRUE(app.WaitUntil([&] { return app.Text(app.queryBox) == "add"; }));
  EXPECT_FALSE(app.ShowsMessageBox());
  EXPECT_EQ(app.Close(), 0u);
}

TEST(KeyInputApp, AltKeysOfTheWindowLookOnlyAtCaptions) {
  RunningApp app;
  ASSERT_STARTED(app);
  // Text in the query box that looks like mnemonics of S and of the
  // characters the codes of F1 (p), keypad * (j) and F10 (y) stand for.
  app.Type(app.queryBox, "&s&p&j&y");
  app.ClickItem(0);
  ASSERT_TRUE(app.Settle());
  ASSERT_EQ(app.Focus(), app.list);
  for (const auto& [key, withAlt] :
       {std::pair<UINT, bool>{'S', true}, {VK_F1, true}, {VK_MULTIPLY, true}, {VK_F10, false}}) {
    app.PressSystemKey(app.list, key, withAlt);
    ASSERT_TRUE(app.Settle());
    EXPECT_EQ(app.Focus(), app.list) << "key " << key;
  }
  EXPECT_EQ(app.Text(app.queryBox), "&s&p&j&y");

  // Alt+F4 (F4 is 's' as a character code) closes the window.
  app.PressSystemKey(app.queryBox, VK_F4, true);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

}  // namespace
}  // namespace mnemora::app
