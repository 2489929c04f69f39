// Key names and reports, and when the Ctrl+C trail fires.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/hotkey_trail.h"
#include "app/key_monitor.h"
#include "app/key_name_table.h"

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
  int pauses = 0;
  // Feeds the reports of the codes in order; returns the 1-based press that
  // fired first, 0 for none. A firing empties the trail, as the look-up does.
  int Press(std::initializer_list<int> codes) {
    int press = 0;
    int fired = 0;
    for (int code : codes) {
      ++press;
      if (trail.Note(KeyReport(code), [this] { ++pauses; })) {
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
  EXPECT_EQ(chord.pauses, 2);
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
  EXPECT_EQ(others.pauses, 0);
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

}  // namespace
}  // namespace mnemora::app
