// Key names and reports, when the Ctrl+C trail fires, and the order and
// number of the runs that act on the reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/hotkey_trail.h"
#include "app/key_monitor.h"
#include "app/key_name_table.h"
#include "app/key_report_queue.h"

namespace mnemora::app {
namespace {

// The names as a user of the tool reads them, written out independently of
// the table's own rows.
std::map<int, std::string> ExpectedNames() {
  std::map<int, std::string> names = {
      {3, "Break"},    {8, "退格"},      {13, "回车"},      {16, "Shift"},    {17, "Ctrl"},
      {18, "Alt"},     {19, "Pause"},    {20, "Caps Lock"}, {27, "Esc"},      {32, "空格"},
      {33, "PageUp"},  {34, "PageDown"}, {35, "End"},       {36, "Home"},     {37, "左光标"},
      {38, "上光标"},  {39, "右光标"},   {40, "下光标"},    {45, "Ins"},      {46, "Del"},
      {91, "Win"},     {106, "乘号"},    {107, "加号"},     {144, "NumLock"}, {145, "ScrollLock"},
      {186, "分号"},   {187, "等号"},    {188, "逗号"},     {189, "减号"},    {190, "圆点"},
      {191, "除号"},   {192, "反撇号"},  {219, "左中括号"}, {220, "斜杠"},    {221, "右中括号"},
      {222, "单引号"},
  };
  for (int d = 0; d <= 9; ++d) {
    names[48 + d] = std::string(1, static_cast<char>('0' + d));
  }
  for (int l = 0; l < 26; ++l) {
    names[65 + l] = std::string(1, static_cast<char>('A' + l));
  }
  for (int f = 1; f <= 16; ++f) {
    std::string name = "F";
    name += std::to_string(f);
    names[111 + f] = name;
  }
  return names;
}

TEST(KeyNameTableTest, NamesExactlyTheEightyEightCodesAndNoOthers) {
  const auto expected = ExpectedNames();
  ASSERT_EQ(expected.size(), 88u);
  EXPECT_EQ(KeyNameTable().size(), 88u);
  for (int code = -1; code <= 256; ++code) {
    const auto it = expected.find(code);
    EXPECT_EQ(std::string(KeyName(code)), it != expected.end() ? it->second : "") << code;
  }
}

TEST(KeyReportTest, NameThreeSpacesAndTheDecimalCode) {
  EXPECT_EQ(KeyReport(65), "Name:A   Value:65");
  EXPECT_EQ(KeyReport(17), "Name:Ctrl   Value:17");
  EXPECT_EQ(KeyReport(96), "Name:   Value:96");  // keypad 0 has no name
  EXPECT_EQ(KeyReport(92), "Name:   Value:92");  // nor has the right Windows key
  EXPECT_EQ(KeyReport(13), "Name:回车   Value:13");
}

struct TrailRun {
  HotkeyTrail trail;
  // Feeds the reports of the codes in order; returns the 1-based press that
  // fired first, 0 for none. A firing empties the trail, as the look-up does.
  int Press(std::initializer_list<int> codes) {
    int press = 0;
    int fired = 0;
    for (int code : codes) {
      ++press;
      if (trail.Note(KeyReport(code))) {
        trail.Clear();
        fired = fired == 0 ? press : fired;
      }
    }
    return fired;
  }
};

TEST(HotkeyTrailTest, CtrlThenCFiresWithOrWithoutKeysBetween) {
  TrailRun chord;
  EXPECT_EQ(chord.Press({17, 67}), 2);
  TrailRun spread;
  EXPECT_EQ(spread.Press({17, 65, 16, 67}), 4);
  TrailRun cFirst;
  EXPECT_EQ(cFirst.Press({67, 17, 67}), 3);
  EXPECT_EQ(cFirst.trail.View(), "");
}

TEST(HotkeyTrailTest, CodesHoldingTheDigitsCountAsTheKeys) {
  TrailRun f6ThenC;
  EXPECT_EQ(f6ThenC.Press({117, 67}), 2);  // "Value:117" holds 17
  TrailRun nameless;
  EXPECT_EQ(nameless.Press({217, 167}), 2);  // 217 holds 17, 167 holds 67
  TrailRun others;
  EXPECT_EQ(others.Press({65, 16, 18, 27, 13, 96}), 0);
  EXPECT_EQ(others.trail.View(), "");
}

TEST(HotkeyTrailTest, CWithoutCtrlBeforeItAndCtrlAfterCDoNotFire) {
  TrailRun run;
  EXPECT_EQ(run.Press({67, 67, 17}), 0);
  EXPECT_EQ(run.Press({67}), 1);
}

TEST(HotkeyTrailTest, ManyCtrlPressesStayBoundedAndStillFire) {
  TrailRun run;
  for (int i = 0; i < 5000; ++i) {
    ASSERT_EQ(run.Press({17}), 0);
  }
  EXPECT_LE(run.trail.View().size(), 4u);
  EXPECT_EQ(run.Press({67}), 1);
  for (int i = 0; i < 5000; ++i) {
    ASSERT_EQ(run.Press({67}), 0);
  }
  EXPECT_LE(run.trail.View().size(), 4u);
  EXPECT_EQ(run.Press({17, 67}), 2);
}

// The monitor box's handler as the key monitor runs it: each raised run
// offers the report it was raised with and, unless a run is already acting,
// drains the queue; ahead of each report the acting run processes pending
// messages, which here delivers keys that arrived meanwhile. The message
// loop delivers the rest one by one.
struct MonitorRuns {
  KeyReportQueue queue;
  HotkeyTrail trail;
  std::deque<std::pair<int, bool>> arriving;  // key code, auto-repeat
  size_t arrivalsPerMessageTurn = 1000;
  std::vector<std::string> acted;
  int lookUps = 0;
  int depth = 0;
  int deepest = 0;
  size_t mostWaiting = 0;

  void Run() {
    while (!arriving.empty()) {
      const auto [code, repeat] = arriving.front();
      arriving.pop_front();
      Raise(code, repeat);
    }
  }
  void Raise(int code, bool repeat) {
    ++depth;
    deepest = std::max(deepest, depth);
    if (queue.Offer(KeyReport(code), repeat)) {
      queue.Drain([this] { return ProcessMessages(); },
                  [this](std::string_view report) { Act(report); });
    }
    --depth;
  }
  bool ProcessMessages() {
    for (size_t i = 0; i < arrivalsPerMessageTurn && !arriving.empty(); ++i) {
      const auto [code, repeat] = arriving.front();
      arriving.pop_front();
      Raise(code, repeat);
    }
    mostWaiting = std::max(mostWaiting, queue.Waiting());
    return true;
  }
  void Act(std::string_view report) {
    acted.emplace_back(report);
    if (trail.Note(report)) {
      trail.Clear();
      ++lookUps;
    }
  }
};

TEST(KeyReportQueueTest, EachReportIsActedOnOnceAsItselfInKeyPressOrder) {
  // C, then Ctrl and C arriving while C's run processes messages.
  MonitorRuns runs;
  runs.arriving = {{67, false}, {17, false}, {67, false}};
  runs.Run();
  EXPECT_EQ(runs.acted, (std::vector<std::string>{KeyReport(67), KeyReport(17), KeyReport(67)}));
  EXPECT_EQ(runs.lookUps, 1);
  EXPECT_EQ(runs.deepest, 2) << "a run raised inside an acting one only queues its report";
  EXPECT_EQ(runs.queue.Waiting(), 0u);
  EXPECT_FALSE(runs.queue.Acting());

  // Ctrl then C in a chord, with keys between, and F6 then C, all arriving
  // in one turn of messages.
  MonitorRuns chords;
  chords.arriving = {{17, false}, {67, false}, {17, false},  {65, false},
                     {16, false}, {67, false}, {117, false}, {67, false}};
  chords.Run();
  EXPECT_EQ(chords.acted.size(), 8u);
  EXPECT_EQ(chords.lookUps, 3);
}

TEST(KeyReportQueueTest, AHeldKeyLeavesAtMostOneRunWaiting) {
  // Ctrl held for two seconds at thirty repeats a second, three of them
  // arriving during each run (a run may be delayed), then C pressed.
  MonitorRuns runs;
  runs.arrivalsPerMessageTurn = 3;
  runs.arriving.emplace_back(17, false);
  for (int i = 0; i < 60; ++i) {
    runs.arriving.emplace_back(17, true);
  }
  runs.arriving.emplace_back(67, false);
  runs.Run();
  // The held key's one waiting report, and the C that came with its last
  // repeats.
  EXPECT_LE(runs.mostWaiting, 2u);
  EXPECT_EQ(runs.deepest, 2);
  EXPECT_LT(runs.acted.size(), 30u) << "repeats that waited were taken into one run";
  EXPECT_EQ(runs.acted.back(), KeyReport(67));
  EXPECT_EQ(runs.lookUps, 1);
  EXPECT_EQ(runs.queue.Waiting(), 0u);
}

TEST(KeyReportQueueTest, PressesOfTheSameKeyAreNeverMergedButRepeatsAre) {
  KeyReportQueue queue;
  EXPECT_TRUE(queue.Offer(KeyReport(27), false));
  EXPECT_TRUE(queue.Offer(KeyReport(27), false));  // released and pressed again
  EXPECT_EQ(queue.Waiting(), 2u);
  EXPECT_TRUE(queue.Offer(KeyReport(27), true));
  EXPECT_EQ(queue.Waiting(), 2u);
  EXPECT_TRUE(queue.Offer(KeyReport(17), true));  // a repeat of another report waits
  EXPECT_TRUE(queue.Offer(KeyReport(27), true));
  EXPECT_EQ(queue.Waiting(), 4u);

  // A closed window stops the run: the rest is dropped, and the next
  // report starts afresh.
  std::vector<std::string> acted;
  int turns = 0;
  queue.Drain([&] { return ++turns < 3; },
              [&](std::string_view report) { acted.emplace_back(report); });
  EXPECT_EQ(acted, (std::vector<std::string>{KeyReport(27), KeyReport(27)}));
  EXPECT_EQ(queue.Waiting(), 0u);
  EXPECT_FALSE(queue.Acting());
  EXPECT_TRUE(queue.Offer(KeyReport(65), false));
  queue.Drain([] { return true; }, [&](std::string_view report) { acted.emplace_back(report); });
  EXPECT_EQ(acted.back(), KeyReport(65));
}

}  // namespace
}  // namespace mnemora::app
