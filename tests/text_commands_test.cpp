#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "commands/text_commands.h"
#include "tests/command_test_support.h"

namespace mnemora {
namespace {

using testing_support::Call;
using testing_support::TakeBytes;
using testing_support::TakeText;
using testing_support::TakeTextArray;

ArgValue T(const char* text) {
  return ArgValue::Text(text);
}
ArgValue I(int32_t value) {
  return ArgValue::Integer(value);
}
const ArgValue kNone = ArgValue::None();

// 汇 is 0xBB 0xE3 and 汉 is 0xBA 0xBA in GBK; 0x81 0x61 and 0x81 0x5C are
// characters whose second byte is an ASCII letter or a backslash.
TEST(TextCommandsTest, LengthLeftAndRightCountRawBytes) {
  EXPECT_EQ(Call(TextLength, {T("汇编 mov")}).AsInt32(), 8);
  EXPECT_EQ(TakeText(Call(LeftText, {T("汇编"), I(1)})), "\xBB");
  EXPECT_EQ(TakeText(Call(RightText, {T("汇编"), I(3)})), "\xE3\xB1\xE0");
  EXPECT_EQ(TakeText(Call(RightText, {T("ab"), I(5)})), "ab");
  EXPECT_EQ(TakeText(Call(LeftText, {T("ab"), I(0)})), "(null)");
  EXPECT_EQ(TakeText(Call(RightText, {T("ab"), I(-3)})), "(null)");
}

TEST(FindTextTest, MatchesStartOnlyAtCharactersAndPositionsAreOneBased) {
  EXPECT_EQ(Call(FindText, {T("a汉b"), T("\xBA"
                                         "b")})
                .AsInt32(),
            -1);
  EXPECT_EQ(Call(FindText, {T("a汉b"), T("b")}).AsInt32(), 4);
  EXPECT_EQ(Call(FindText, {T("\x81"
                              "ab"),
                            T("a")})
                .AsInt32(),
            -1);
  EXPECT_EQ(Call(FindText, {T("\x81"
                              "ab"),
                            T("b")})
                .AsInt32(),
            3);
  EXPECT_EQ(Call(FindText, {T("abcabc"), T("a"), I(3)}).AsInt32(), 4);
  EXPECT_EQ(Call(FindText, {T("abcabc"), T("a"), I(-7)}).AsInt32(), 1);
  EXPECT_EQ(Call(FindText, {T("abcabc"), T("a"), I(7)}).AsInt32(), -1);
}

TEST(FindTextTest, EmptySearchedTextIsFoundAtOneInAnyNonEmptyRest) {
  EXPECT_EQ(Call(FindText, {T("x"), T("")}).AsInt32(), 1);
  EXPECT_EQ(Call(FindText, {T(""), T("")}).AsInt32(), -1);
  EXPECT_EQ(Call(FindText, {T("abc"), T(""), I(3)}).AsInt32(), 1);
  EXPECT_EQ(Call(FindText, {T("abc"), T(""), I(4)}).AsInt32(), -1);
}

TEST(FindTextTest, IgnoresCaseOnlyForTheValueOneAndNeverInsideACharacter) {
  const ArgValue yes = ArgValue::Boolean(true);
  const ArgValue two{2, 0, type_code::kBoolean};
  EXPECT_EQ(Call(FindText, {T("x MOV"), T("mov"), kNone, yes}).AsInt32(), 3);
  EXPECT_EQ(Call(FindText, {T("x MOV"), T("mov"), kNone, two}).AsInt32(), -1);
  EXPECT_EQ(Call(FindText, {T("x MOV"), T("mov"), kNone, ArgValue::Boolean(false)}).AsInt32(), -1);
  EXPECT_EQ(Call(FindText, {T("编MOV汇"), T("mov汇"), kNone, yes}).AsInt32(), 3);
  // 0x81 0x41 and 0x81 0x61 are different characters, not two cases.
  EXPECT_EQ(Call(FindText, {T("\x81"
                              "A"),
                            T("\x81"
                              "a"),
                            kNone, yes})
                .AsInt32(),
            -1);
}

TEST(TextCommandsTest, UpperCaseLeavesTwoByteCharactersAlone) {
  EXPECT_EQ(TakeText(Call(ToUpperCase, {T("mov 汇编")})), "MOV 汇编");
  EXPECT_EQ(TakeText(Call(ToUpperCase, {T("\x81"
                                          "ab")})),
            "\x81"
            "aB");
  EXPECT_EQ(TakeText(Call(ToUpperCase, {T("ab\x81")})), "AB\x81");
  EXPECT_EQ(TakeText(Call(ToUpperCase, {T("")})), "(null)");
}

TEST(TextCommandsTest, TrimAndRemoveKnowBothSpaces) {
  EXPECT_EQ(TakeText(Call(TrimSpaces, {T("　 x 　")})), "x");
  EXPECT_EQ(TakeText(Call(TrimSpaces, {T("  a　b  ")})), "a　b");
  EXPECT_EQ(TakeText(Call(TrimSpaces, {T("\t x\r\n")})), "\t x\r\n");
  EXPECT_EQ(TakeText(Call(TrimSpaces, {T("、 ")})), "、");  // 0xA1 0xA2 is no space
  EXPECT_EQ(TakeText(Call(TrimSpaces, {T("  　")})), "(null)");
  // A dangling lead byte is cut off; the spaces before it stay.
  EXPECT_EQ(TakeText(Call(TrimSpaces, {T(" x \x81")})), "x ");

  EXPECT_EQ(TakeText(Call(RemoveAllSpaces, {T("x y　z")})), "xyz");
  EXPECT_EQ(TakeText(Call(RemoveAllSpaces, {T("汉 \x81")})), "汉");
  EXPECT_EQ(TakeText(Call(RemoveAllSpaces, {T(" 　 ")})), "(null)");
}

TEST(ReplaceTextTest, DeletesLineBreaksAndHonoursStartAndCount) {
  const ArgValue exact = ArgValue::Boolean(true);
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("a\r\nb\r\n"), T("\r\n"), kNone, kNone, kNone, exact})),
            "ab");
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("a\r\nb\r\n"), T("\r\n"), kNone, kNone, I(1), exact})),
            "ab\r\n");
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("abab"), T("ab"), T("X"), I(2), kNone, exact})), "abX");
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("aaa"), T("a"), T("b"), kNone, I(-5), exact})), "bbb");
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("aaa"), T("a"), T("b"), kNone, I(0), exact})), "aaa");
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("aaa"), T("a"), T("b"), I(4), kNone, exact})), "aaa");
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("a"), T("a"), T(""), kNone, kNone, exact})), "(null)");
}

TEST(ReplaceTextTest, NeverRescansAReplacementNorMatchesInsideACharacter) {
  const ArgValue exact = ArgValue::Boolean(true);
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("aaaa"), T("aa"), T("a"), kNone, kNone, exact})), "aa");
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("ab"), T("a"), T("aa"), kNone, kNone, exact})), "aab");
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("汉b"),
                                        T("\xBA"
                                          "b"),
                                        T("-"), kNone, kNone, exact})),
            "汉b");
  // Reached by the scan, a dangling lead byte is dropped; in an unscanned
  // rest shorter than the searched text it stays.
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("a\x81"), T("z"), kNone, kNone, kNone, exact})), "a");
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("a\x81"), T("zz"), kNone, kNone, kNone, exact})),
            "a\x81");
}

TEST(ReplaceTextTest, CaseSensitiveFalseFoldsAsciiLetters) {
  EXPECT_EQ(TakeText(Call(ReplaceText,
                          {T("xABCx"), T("abc"), T("-"), kNone, kNone, ArgValue::Boolean(false)})),
            "x-x");
  EXPECT_EQ(TakeText(Call(ReplaceText,
                          {T("xABCx"), T("abc"), T("-"), kNone, kNone, ArgValue::Boolean(true)})),
            "xABCx");
}

TEST(SplitTextTest, EmptyElementsTrailingSeparatorAndMaximum) {
  EXPECT_EQ(TakeTextArray(Call(SplitText, {T("a\r\n\r\nb\r\n"), T("\r\n")})),
            (std::vector<std::string>{"a", "(null)", "b"}));
  EXPECT_EQ(TakeTextArray(Call(SplitText, {T(",x,")})), (std::vector<std::string>{"(null)", "x"}));
  EXPECT_EQ(TakeTextArray(Call(SplitText, {T("x,y,z"), kNone, I(2)})),
            (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(TakeTextArray(Call(SplitText, {T("x,y,z"), kNone, I(-1)})), std::vector<std::string>{});
  EXPECT_EQ(TakeTextArray(Call(SplitText, {T("x,y"), T("")})), (std::vector<std::string>{"x,y"}));
  // 0x81 0x5C is one character: its backslash separates nothing.
  EXPECT_EQ(TakeTextArray(Call(SplitText, {T("a\x81\\b\\c"), T("\\")})),
            (std::vector<std::string>{"a\x81\\b", "c"}));
}

TEST(SplitTextTest, EmptyTextGivesAnEmptyArrayBlock) {
  const ArgValue result = Call(SplitText, {T(""), T(",")});
  EXPECT_EQ(result.type, type_code::kText | type_code::kArrayFlag);
  ASSERT_NE(result.AsPointer(), nullptr);
  EXPECT_EQ(ArrayDimensionCount(result.AsPointer()), 1u);
  EXPECT_EQ(TakeTextArray(result), std::vector<std::string>{});
}

TEST(TextCommandsTest, SpaceTextAndByteSetLength) {
  EXPECT_EQ(TakeText(Call(SpaceText, {I(0)})), "(null)");
  EXPECT_EQ(TakeText(Call(SpaceText, {I(-2)})), "(null)");
  EXPECT_EQ(TakeText(Call(SpaceText, {I(3)})), "   ");
  void* bytes = MakeByteSet("abc", 3);
  EXPECT_EQ(Call(ByteSetLength, {ArgValue::ByteSet(bytes)}).AsInt32(), 3);
  EXPECT_EQ(Call(ByteSetLength, {ArgValue::ByteSet(nullptr)}).AsInt32(), 0);
  MemFree(bytes);
}

// A one-dimensional array block with the given elements' bytes.
void* ArrayOf(const void* elements, uint32_t count, uint32_t elementSize) {
  void* block = MakeArray(count, elementSize);
  std::memcpy(ArrayElements(block), elements, count * elementSize);
  return block;
}

TEST(ToTextTest, NumbersBooleansAndTexts) {
  EXPECT_EQ(TakeText(Call(ToText, {I(-5)})), "-5");
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue{0xFFFFFFC8, 0, type_code::kByte}})), "200");
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue{0x0000FFFE, 0, type_code::kShort}})), "-2");
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue::Long(-9000000000)})), "-9000000000");
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue::Float(0.1f)})), "0.1");
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue::Double(1.0 / 3)})), "0.3333333333333");
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue::Double(123456.5)})), "123456.5");
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue::Boolean(true)})), "真");
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue{7, 0, type_code::kBoolean}})), "真");
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue::Boolean(false)})), "假");
  EXPECT_EQ(TakeText(Call(ToText, {T("汇编")})), "汇编");
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue{1, 2, type_code::kWindowReference}})), "(null)");
}

TEST(ToTextTest, DateTimesShowTheTimeDownToTheLastNonZeroUnit) {
  auto date = [](double days) { return TakeText(Call(ToText, {ArgValue::DateTime(days)})); };
  EXPECT_EQ(date(36526.0), "2000年1月1日");
  EXPECT_EQ(date(2.5), "1900年1月1日12时");
  EXPECT_EQ(date(0.5 + 30.0 / 1440), "1899年12月30日12时30分");
  EXPECT_EQ(date(3601.0 / 86400), "1899年12月30日1时0分1秒");
  EXPECT_EQ(date(45000.75), "2023年3月15日18时");
  EXPECT_EQ(date(-1.25), "1899年12月29日6时");
  EXPECT_EQ(date(1e9), "9999年12月31日");
  EXPECT_EQ(date(-1e9), "100年1月1日");
}

TEST(ToTextTest, DataStopsAtTheFirstZeroByteAndOnlyNumericArraysAreData) {
  void* bytes = MakeByteSet("xy\0z", 4);
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue::ByteSet(bytes)})), "xy");
  MemFree(bytes);
  bytes = MakeByteSet("xyz", 3);
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue::ByteSet(bytes)})), "xyz");
  MemFree(bytes);

  const char letters[] = {'h', 'i'};
  void* byteArray = ArrayOf(letters, 2, 1);
  EXPECT_EQ(TakeText(Call(
                ToText, {ArgValue::Pointer(byteArray, type_code::kByte | type_code::kArrayFlag)})),
            "hi");
  const int32_t numbers[] = {0x41, 0x42};
  void* integerArray = ArrayOf(numbers, 2, 4);
  EXPECT_EQ(TakeText(Call(ToText, {ArgValue::Pointer(
                                      integerArray, type_code::kInteger | type_code::kArrayFlag)})),
            "A");
  // The elements of a text array are pointers, never data.
  const char* texts[] = {"a", "b"};
  void* textArray = ArrayOf(texts, 2, sizeof(char*));
  EXPECT_EQ(TakeText(Call(
                ToText, {ArgValue::Pointer(textArray, type_code::kText | type_code::kArrayFlag)})),
            "(null)");
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {ArgValue::Pointer(
                                          textArray, type_code::kText | type_code::kArrayFlag)})),
            "(null)");
  EXPECT_EQ(
      TakeBytes(Call(ToByteSet, {ArgValue::Pointer(integerArray,
                                                   type_code::kInteger | type_code::kArrayFlag)})),
      std::string("\x41\0\0\0\x42\0\0\0", 8));
  MemFree(byteArray);
  MemFree(integerArray);
  MemFree(textArray);
}

TEST(ToByteSetTest, ValuesGiveTheirOwnBytesInMemoryOrder) {
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {T("汉a")})),
            "\xBA\xBA"
            "a");
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {T("")})), "(null)");
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {I(0x01020304)})), "\x04\x03\x02\x01");
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {ArgValue{0x1234, 0, type_code::kShort}})), "\x34\x12");
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {ArgValue{0x41, 0, type_code::kByte}})), "A");
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {ArgValue::Double(1.0)})),
            std::string("\0\0\0\0\0\0\xF0\x3F", 8));
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {ArgValue::Long(0x0102030405060708)})),
            "\x08\x07\x06\x05\x04\x03\x02\x01");
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {ArgValue{1, 2, type_code::kWindowReference}})), "(null)");
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {ArgValue{1, 0, 0xC0000001}})), "(null)");
  void* bytes = MakeByteSet("a\0b", 3);
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {ArgValue::ByteSet(bytes)})), std::string("a\0b", 3));
  MemFree(bytes);
}

// Counts the blocks taken from the heap while a test runs.
int g_allocations = 0;
void* CountedAllocate(size_t size) {
  ++g_allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void* CountedReallocate(void* block, size_t size) {
  ++g_allocations;
  return std::realloc(block, size == 0 ? 1 : size);
}

TEST(TextCommandsTest, EmptyResultsAreNullAndTakeNoBlock) {
  const HeapSeam saved = RuntimeHeap();
  SetRuntimeHeap(HeapSeam{CountedAllocate, CountedReallocate, std::free});
  g_allocations = 0;
  const ArgValue results[] = {
      Call(LeftText, {T("abc"), I(0)}),
      Call(TrimSpaces, {T("   ")}),
      Call(RemoveAllSpaces, {T("　")}),
      Call(ToUpperCase, {T("")}),
      Call(ReplaceText, {T("ab"), T("ab"), kNone, kNone, kNone, ArgValue::Boolean(true)}),
      Call(SpaceText, {I(0)}),
      Call(ToText, {ArgValue{0, 0, type_code::kSubroutine}}),
      Call(ToByteSet, {T("")}),
  };
  const int forEmptyResults = g_allocations;
  void* oneSpace = Call(SpaceText, {I(1)}).AsPointer();
  const int forOneSpace = g_allocations - forEmptyResults;
  SetRuntimeHeap(saved);
  std::free(oneSpace);
  EXPECT_EQ(forEmptyResults, 0);
  EXPECT_EQ(forOneSpace, 1);  // the counter does see the commands' blocks
  for (const ArgValue& result : results) {
    EXPECT_EQ(result.AsPointer(), nullptr);
  }
}

// Found by fuzzing: a value of another type where a text belongs had its
// value words read as a text's address.
TEST(TextCommandsTest, AValueOfAnotherTypeWhereATextBelongsIsTheEmptyText) {
  const ArgValue dateTime = ArgValue::DateTime(10000.5);
  EXPECT_EQ(Call(FindText, {dateTime, T("a")}).AsInt32(), -1);
  EXPECT_EQ(Call(FindText, {T("abc"), ArgValue::Integer(0x12345678)}).AsInt32(), 1);
  EXPECT_EQ(Call(TextLength, {ArgValue::Long(0x0123456789ABCDEF)}).AsInt32(), 0);
  EXPECT_EQ(TakeText(Call(LeftText, {ArgValue::Double(3.5), I(2)})), "(null)");
  EXPECT_EQ(TakeText(Call(ReplaceText, {T("abc"), ArgValue::Boolean(true), T("x"), kNone, kNone,
                                        ArgValue::Boolean(true)})),
            "abc");
}

}  // namespace
}  // namespace mnemora
