#include "app/key_name_table.h"

#include <algorithm>
#include <array>

namespace mnemora::app {
namespace {

// Codes missing here (the right Windows key, the keypad digits and most
// punctuation of the keypad) are reported without a name on purpose.
constexpr std::array<KeyNameRow, 88> kKeyNames = {{
    {3, "Break"},      {8, "退格"},         {13, "回车"},      {16, "Shift"}, {17, "Ctrl"},
    {18, "Alt"},       {19, "Pause"},       {20, "Caps Lock"}, {27, "Esc"},   {32, "空格"},
    {33, "PageUp"},    {34, "PageDown"},    {35, "End"},       {36, "Home"},  {37, "左光标"},
    {38, "上光标"},    {39, "右光标"},      {40, "下光标"},    {45, "Ins"},   {46, "Del"},
    {48, "0"},         {49, "1"},           {50, "2"},         {51, "3"},     {52, "4"},
    {53, "5"},         {54, "6"},           {55, "7"},         {56, "8"},     {57, "9"},
    {65, "A"},         {66, "B"},           {67, "C"},         {68, "D"},     {69, "E"},
    {70, "F"},         {71, "G"},           {72, "H"},         {73, "I"},     {74, "J"},
    {75, "K"},         {76, "L"},           {77, "M"},         {78, "N"},     {79, "O"},
    {80, "P"},         {81, "Q"},           {82, "R"},         {83, "S"},     {84, "T"},
    {85, "U"},         {86, "V"},           {87, "W"},         {88, "X"},     {89, "Y"},
    {90, "Z"},         {91, "Win"},         {106, "乘号"},     {107, "加号"}, {112, "F1"},
    {113, "F2"},       {114, "F3"},         {115, "F4"},       {116, "F5"},   {117, "F6"},
    {118, "F7"},       {119, "F8"},         {120, "F9"},       {121, "F10"},  {122, "F11"},
    {123, "F12"},      {124, "F13"},        {125, "F14"},      {126, "F15"},  {127, "F16"},
    {144, "NumLock"},  {145, "ScrollLock"}, {186, "分号"},     {187, "等号"}, {188, "逗号"},
    {189, "减号"},     {190, "圆点"},       {191, "除号"},  // the key with / and ?
    {192, "反撇号"},                                        // the key with ` and ~
    {219, "左中括号"}, {220, "斜杠"},                       // the key with \ and |
    {221, "右中括号"}, {222, "单引号"},
}};

constexpr bool Ascending() {
  for (size_t i = 1; i < kKeyNames.size(); ++i) {
    if (kKeyNames[i - 1].code >= kKeyNames[i].code) {
      return false;
    }
  }
  return true;
}
static_assert(Ascending(), "KeyName searches the table by code");

}  // namespace

std::span<const KeyNameRow> KeyNameTable() {
  return kKeyNames;
}

const char* KeyName(int32_t code) {
  const auto row = std::lower_bound(kKeyNames.begin(), kKeyNames.end(), code,
                                    [](const KeyNameRow& r, int32_t c) { return r.code < c; });
  return row != kKeyNames.end() && row->code == code ? row->name : "";
}

}  // namespace mnemora::app
