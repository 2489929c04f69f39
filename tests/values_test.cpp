#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/arg_value.h"
#include "runtime/heap_blocks.h"

namespace mnemora {
namespace {

// A constant area of the test's own: the empty text, "ABCDEFGH", and a
// constant 2 x 3 array of 4-byte elements.
struct ConstantData {
  char emptyText[1] = {0};
  char letters[9] = "ABCDEFGH";
  alignas(4) uint32_t array[2 + 1 + 6] = {2, 2, 3, 11, 12, 13, 21, 22, 23};
};
const ConstantData kConstants;

class HeapBlocksTest : public ::testing::Test {
 protected:
  void SetUp() override { SetConstantArea(&kConstants, sizeof kConstants); }
  void TearDown() override { ClearConstantArea(); }

  const char* ConstantEnd() const { return reinterpret_cast<const char*>(&kConstants + 1); }
};

TEST_F(HeapBlocksTest, FreeIgnoresNullAndConstants) {
  MemFree(nullptr);
  MemFree(const_cast<char*>(ConstantEmptyText()));
  MemFree(const_cast<char*>(kConstants.letters + 3));
  EXPECT_EQ(ConstantEmptyText(), kConstants.emptyText);
  EXPECT_TRUE(IsInConstantArea(kConstants.letters));
  EXPECT_FALSE(IsInConstantArea(ConstantEnd()));
}

TEST_F(HeapBlocksTest, ReallocOfConstantCopiesOnlyWhatTheAreaHolds) {
  const char* nearEnd = ConstantEnd() - 3;
  auto* copy = static_cast<char*>(MemRealloc(const_cast<char*>(nearEnd), 10));
  ASSERT_NE(copy, nearEnd);
  EXPECT_FALSE(IsInConstantArea(copy));
  EXPECT_EQ(std::memcmp(copy, nearEnd, 3), 0);

  auto* shortCopy = static_cast<char*>(MemRealloc(const_cast<char*>(kConstants.letters), 4));
  EXPECT_EQ(std::string(shortCopy, 4), "ABCD");
  EXPECT_EQ(std::string(kConstants.letters), "ABCDEFGH");
  MemFree(copy);
  MemFree(shortCopy);
}

TEST_F(HeapBlocksTest, ReallocOfNullAllocatesAndHeapBlocksKeepTheirContents) {
  auto* block = static_cast<char*>(MemRealloc(nullptr, 5));
  std::memcpy(block, "abcde", 5);
  block = static_cast<char*>(MemRealloc(block, 4000));
  EXPECT_EQ(std::string(block, 5), "abcde");
  MemFree(block);
}

TEST_F(HeapBlocksTest, UnshareCopiesAConstantArrayWholeAndLeavesHeapArraysAlone) {
  void* variable = const_cast<uint32_t*>(kConstants.array);
  UnshareArray(4, &variable);
  ASSERT_NE(variable, kConstants.array);
  EXPECT_FALSE(IsInConstantArea(variable));
  EXPECT_EQ(std::memcmp(variable, kConstants.array, 36), 0);  // 4 + 2*4 + 6*4

  void* before = variable;
  UnshareArray(4, &variable);
  EXPECT_EQ(variable, before);
  MemFree(variable);
}

TEST_F(HeapBlocksTest, FreeArrayFreesTextElementsAndSkipsNullOnes) {
  void* array = MakeArray(3, ArrayElementSize(type_code::kText));
  char* texts[3] = {MakeText("one"), nullptr, MakeText("three")};
  std::memcpy(ArrayElements(array), texts, sizeof texts);
  EXPECT_EQ(ArrayElementCount(array), 3u);
  FreeArray(type_code::kText | type_code::kArrayFlag, array);  // must not touch the null
  FreeArray(type_code::kText, nullptr);
}

TEST_F(HeapBlocksTest, EmptyArrayIsOneDimensionOfSizeZero) {
  void* array = MakeArray(0, 4);
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(ArrayDimensionCount(array), 1u);
  EXPECT_EQ(ArrayDimensionSize(array, 0), 0u);
  EXPECT_EQ(ArrayElementCount(array), 0u);
  FreeArray(type_code::kInteger | type_code::kArrayFlag, array);
}

TEST(TextBlocksTest, JoinTextsAlwaysMakesABlock) {
  const char* nulls[] = {nullptr, nullptr};
  char* empty = JoinTexts(2, nulls);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty[0], '\0');
  MemFree(empty);

  const char* parts[] = {"mov", nullptr, " ", "数据"};
  char* joined = JoinTexts(4, parts);
  EXPECT_STREQ(joined, "mov 数据");
  MemFree(joined);
}

TEST(TextBlocksTest, EmptyTextsAndByteSetsAreNull) {
  EXPECT_EQ(MakeText("", 0), nullptr);
  EXPECT_EQ(MakeText(nullptr), nullptr);
  EXPECT_EQ(MakeByteSet("x", 0), nullptr);
  EXPECT_EQ(ByteSetSize(nullptr), 0u);

  void* bytes = MakeByteSet("\x00\x01\x02", 3);
  ASSERT_NE(bytes, nullptr);
  uint32_t header[2];
  std::memcpy(header, bytes, sizeof header);
  EXPECT_EQ(header[0], 1u);
  EXPECT_EQ(header[1], 3u);
  EXPECT_EQ(ByteSetBytes(bytes)[2], 2);
  MemFree(bytes);

  char* text = MakeText("ab\0cd", 5);  // the length decides, not the first zero
  EXPECT_EQ(std::memcmp(text, "ab\0cd\0", 6), 0);
  MemFree(text);
}

TEST(ToIntegerTest, ConvertsEveryNumericType) {
  const ArgValue byte{0xFFFFFF80u, 0, type_code::kByte};
  EXPECT_EQ(ToInteger(&byte), 0x80);
  const ArgValue shortValue{0x0000FFFEu, 0, type_code::kShort};
  EXPECT_EQ(ToInteger(&shortValue), -2);
  const ArgValue integer = ArgValue::Integer(-123456);
  EXPECT_EQ(ToInteger(&integer), -123456);
  const ArgValue longValue{5, 1, type_code::kLong};
  EXPECT_EQ(ToInteger(&longValue), 5);
  const ArgValue negativeDouble = ArgValue::Double(-2.7);
  EXPECT_EQ(ToInteger(&negativeDouble), -2);
  const ArgValue positiveFloat = ArgValue::Float(9.99f);
  EXPECT_EQ(ToInteger(&positiveFloat), 9);
  const ArgValue huge = ArgValue::Double(1e12);
  EXPECT_EQ(ToInteger(&huge), INT32_MIN);
}

TEST(ArgValueTest, PointersUseBothValueWords) {
  static char target;
  const ArgValue value = ArgValue::Text(&target);
  EXPECT_EQ(value.AsText(), &target);
  EXPECT_EQ(value.type, type_code::kText);
  const ArgValue none = ArgValue::None();
  EXPECT_EQ(none.low | none.high | none.type, 0u);
  EXPECT_TRUE(IsUnitReference(type_code::kListBoxReference));
  EXPECT_FALSE(IsUnitReference(type_code::kText));
  EXPECT_TRUE(IsNumericType(type_code::kDouble));
  EXPECT_FALSE(IsNumericType(type_code::kBoolean));
  EXPECT_FALSE(IsNumericType(type_code::kInteger | type_code::kArrayFlag));
}

}  // namespace
}  // namespace mnemora
