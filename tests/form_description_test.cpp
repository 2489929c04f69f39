#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/guarded_bytes.h"
#include "window/form_bytes.h"
#include "window/form_description.h"

namespace mnemora {
namespace {

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

Bytes Dword(uint32_t value) {
  ByteWriter writer;
  writer.Dword(value);
  return writer.Take();
}

Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// ---------------------------------------------------------------------------
// Primitives

TEST(ByteReaderTest, ReadsEveryPrimitiveLittleEndian) {
  // clang-format off
  const Bytes data = Concat({
      {0x78, 0x56, 0x34, 0x12, 0xCD, 0xAB},            // dword, word
      Dword(3), Text("abc"),                           // counted text
      Text("名字"), {0},                               // zero-terminated text
      {2, 0}, Dword(1), Text("x"), Dword(2), Text("yz"),  // text list
  });
  // clang-format on
  ByteReader reader(data);
  EXPECT_EQ(reader.Dword(), 0x12345678u);
  EXPECT_EQ(reader.Word(), 0xABCD);
  EXPECT_EQ(reader.CountedText(), "abc");
  EXPECT_EQ(reader.ZeroTerminatedText(), "名字");
  EXPECT_EQ(reader.TextList(), (std::vector<std::string>{"x", "yz"}));
  EXPECT_TRUE(reader.Finished());
}

TEST(ByteReaderTest, ZeroAndNegativeLengthsAreEmptyAndTakeOnlyTheirLengthField) {
  const Bytes data = Concat({Dword(0), Dword(static_cast<uint32_t>(-1)),
                             Dword(static_cast<uint32_t>(INT32_MIN)), Dword(0x11223344)});
  ByteReader reader(data);
  EXPECT_TRUE(reader.CountedBytes().empty());
  EXPECT_TRUE(reader.CountedText().empty());
  EXPECT_TRUE(reader.CountedBytes().empty());
  EXPECT_EQ(reader.Dword(), 0x11223344u);
  EXPECT_TRUE(reader.Finished());
}

TEST(ByteReaderTest, TextListCountOfFFFFIsFollowedByTheRealCount) {
  const Bytes escaped = Concat({{0xFF, 0xFF}, Dword(2), Dword(1), Text("a"), Dword(0)});
  ByteReader reader(escaped);
  EXPECT_EQ(reader.TextList(), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(reader.Finished());

  // The writer switches to the escape at 0xFFFF texts, not one later.
  for (size_t count : {size_t{0xFFFE}, size_t{0xFFFF}}) {
    ByteWriter writer;
    writer.TextList(std::vector<std::string>(count, "t"));
    const Bytes written = writer.Take();
    const bool escapedCount = count == 0xFFFF;
    EXPECT_EQ(written.size(), (escapedCount ? 6u : 2u) + count * 5) << count;
    EXPECT_EQ(written[0] | written[1] << 8, escapedCount ? 0xFFFF : static_cast<int>(count));
    ByteReader back(written);
    EXPECT_EQ(back.TextList().size(), count);
    EXPECT_TRUE(back.Finished());
  }
}

TEST(ByteReaderTest, OverrunsFailAndLaterReadsGiveNothing) {
  const Bytes shortDword = {1, 2, 3};
  ByteReader dword(shortDword);
  EXPECT_EQ(dword.Dword(), 0u);
  EXPECT_TRUE(dword.Failed());
  EXPECT_EQ(dword.Word(), 0u);  // two bytes are there, but the reader has failed

  const Bytes longCount = Concat({Dword(5), Text("abcd")});
  ByteReader counted(longCount);
  EXPECT_TRUE(counted.CountedBytes().empty());
  EXPECT_TRUE(counted.Failed());

  const Bytes unterminated = Text("abc");
  ByteReader text(unterminated);
  EXPECT_TRUE(text.ZeroTerminatedText().empty());
  EXPECT_TRUE(text.Failed());

  // A count far beyond the data fails before anything is reserved for it.
  const Bytes hugeList = Concat({{0xFF, 0xFF}, Dword(0xFFFFFFFF), Dword(0)});
  ByteReader list(hugeList);
  EXPECT_TRUE(list.TextList().empty());
  EXPECT_TRUE(list.Failed());

  const Bytes shortList = Concat({{3, 0}, Dword(1), Text("a")});
  ByteReader fewer(shortList);
  EXPECT_TRUE(fewer.TextList().empty());
  EXPECT_TRUE(fewer.Failed());

  ByteReader skip(longCount);
  skip.Skip(0xFFFFFFFFu, 8);
  EXPECT_TRUE(skip.Failed());
}

// ---------------------------------------------------------------------------
// Ids and tables

TEST(IdTest, ValidityAndMenuItems) {
  EXPECT_TRUE(IsValidId(0x52010001));
  EXPECT_TRUE(IsValidId(0x06010000));  // the serial may be 0 when bits 16-23 are set
  EXPECT_FALSE(IsValidId(0));
  EXPECT_FALSE(IsValidId(0x16000000));  // low 24 bits zero
  EXPECT_FALSE(IsValidId(0x10010001));  // class zero

  EXPECT_TRUE(IsMenuItemId(0x26010005));
  EXPECT_FALSE(IsMenuItemId(0x16010005));  // an ordinary unit
  EXPECT_FALSE(IsMenuItemId(0x22010005));  // category 2 of another class
  EXPECT_FALSE(IsMenuItemId(0x26000000));  // not valid
}

TEST(IdTest, IndexOfFindsFirstIdsAndNeverInvalidOnes) {
  UnitTable table;
  table.ids = {0x06010000, 0x16010005, 0x16000000, 0x16010007, 0x16010005};
  table.records.resize(table.ids.size());
  EXPECT_EQ(table.IndexOf(0x06010000), 0);
  EXPECT_EQ(table.IndexOf(0x16010007), 3);
  EXPECT_EQ(table.IndexOf(0x16010005), 1);
  EXPECT_EQ(table.IndexOf(0x16010099), -1);
  EXPECT_EQ(table.IndexOf(0x16000000), -1);  // present, but not a valid id
  EXPECT_EQ(UnitTable{}.IndexOf(0x06010000), -1);
}

// ---------------------------------------------------------------------------
// Unit records

UnitRecordFields SampleFields() {
  UnitRecordFields fields;
  fields.kind = unit_kind::kLabel;
  fields.eventSource = 0x1601000A;
  fields.name = "标签1";
  fields.secondName = "second";
  fields.left = -5;
  fields.top = 7;
  fields.width = 120;
  fields.height = 33;
  fields.parent = 0x16010002;
  fields.children = {0x16010003, 0, 0x16010004};
  fields.mousePointer = {0x8B, 0x7F, 0, 0};
  fields.tag = "tag text";
  fields.stateFlags = 5;
  fields.tabOrder = 9;
  fields.events = {{-1, 0}, {0, 12}, {-9, -1}};
  fields.propertyBlock = {2, 0, 0, 0, 0xAA, 0xBB};
  return fields;
}

TEST(UnitRecordTest, BuildsTheStoredLayoutAndParsesItBack) {
  const UnitRecordFields fields = SampleFields();
  const Bytes record = BuildUnitRecord(fields);

  // The layout written out by hand: nothing here comes from the reader.
  // clang-format off
  const Bytes expected = Concat({
      Dword(unit_kind::kLabel), Dword(0x1601000A), Bytes(16, 0),  // kind, source, reserved
      Text("标签1"), {0}, Text("second"), {0},                    // names
      Dword(0),                                                   // object slot
      Dword(static_cast<uint32_t>(-5)), Dword(7), Dword(120), Dword(33),
      Dword(0),                                                   // cursor slot
      Dword(0x16010002),                                          // parent
      Dword(3), Dword(0x16010003), Dword(0), Dword(0x16010004),   // children
      Dword(4), {0x8B, 0x7F, 0, 0},                               // mouse pointer
      Text("tag text"), {0}, Dword(0), Dword(5), Dword(9),        // tag, reserved, flags, tab
      Dword(3), Dword(static_cast<uint32_t>(-1)), Dword(0), Dword(0), Dword(12),
      Dword(static_cast<uint32_t>(-9)), Dword(static_cast<uint32_t>(-1)),
      Bytes(20, 0), {2, 0, 0, 0, 0xAA, 0xBB},                     // reserved, block
  });
  // clang-format on
  EXPECT_EQ(record, expected);

  UnitRecordFields parsed;
  ASSERT_TRUE(ParseUnitRecord(record, &parsed));
  EXPECT_TRUE(parsed == fields);
}

TEST(UnitRecordTest, LocatedFieldsPointAtTheirValues) {
  const UnitRecordFields fields = SampleFields();
  const Bytes record = BuildUnitRecord(fields);
  RecordLayout layout;
  ASSERT_TRUE(LocateRecordFields(record, &layout));
  EXPECT_EQ(layout.name, 24u);
  EXPECT_EQ(ReadRecordDword(record, layout.kind), unit_kind::kLabel);
  EXPECT_EQ(ReadRecordDword(record, layout.eventSource), 0x1601000Au);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[layout.secondName])), "second");
  EXPECT_EQ(ReadRecordDword(record, layout.objectSlot), 0u);
  EXPECT_EQ(static_cast<int32_t>(ReadRecordDword(record, layout.position)), -5);
  EXPECT_EQ(ReadRecordDword(record, layout.position + 12), 33u);
  EXPECT_EQ(layout.cursorSlot, layout.position + 16);
  EXPECT_EQ(ReadRecordDword(record, layout.parent), 0x16010002u);
  EXPECT_EQ(ReadRecordDword(record, layout.childCount), 3u);
  EXPECT_EQ(ReadRecordDword(record, layout.childCount + 12), 0x16010004u);
  EXPECT_EQ(ReadRecordDword(record, layout.mousePointer), 4u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[layout.tag])), "tag text");
  EXPECT_EQ(ReadRecordDword(record, layout.stateFlags), 5u);
  EXPECT_EQ(ReadRecordDword(record, layout.tabOrder), 9u);
  EXPECT_EQ(ReadRecordDword(record, layout.eventCount), 3u);
  EXPECT_EQ(ReadRecordDword(record, layout.eventCount + 16), 12u);  // the second binding's handler
  EXPECT_EQ(layout.propertyBlockLength, fields.propertyBlock.size());
  EXPECT_EQ(layout.propertyBlock + layout.propertyBlockLength, record.size());

  // A record without a block ends right after the reserved bytes.
  UnitRecordFields bare = fields;
  bare.propertyBlock.clear();
  ASSERT_TRUE(LocateRecordFields(BuildUnitRecord(bare), &layout));
  EXPECT_EQ(layout.propertyBlockLength, 0u);
}

TEST(UnitRecordTest, TruncatedRecordsFailUntilOnlyTheBlockIsShort) {
  const UnitRecordFields fields = SampleFields();
  const Bytes record = BuildUnitRecord(fields);
  RecordLayout full;
  ASSERT_TRUE(LocateRecordFields(record, &full));
  for (size_t length = 0; length < record.size(); ++length) {
    const Bytes prefix(record.begin(), record.begin() + static_cast<ptrdiff_t>(length));
    RecordLayout layout;
    UnitRecordFields parsed;
    const bool located = LocateRecordFields(prefix, &layout);
    EXPECT_EQ(located, length >= full.propertyBlock) << length;
    EXPECT_EQ(ParseUnitRecord(prefix, &parsed), located) << length;
    if (located) {
      EXPECT_EQ(parsed.propertyBlock.size(), length - full.propertyBlock);
      EXPECT_EQ(parsed.tag, fields.tag);
    }
  }
}

TEST(UnitRecordTest, ANegativeMousePointerLengthIsEmpty) {
  UnitRecordFields fields = SampleFields();
  fields.mousePointer.clear();
  Bytes record = BuildUnitRecord(fields);
  RecordLayout layout;
  ASSERT_TRUE(LocateRecordFields(record, &layout));
  WriteRecordDword(&record, layout.mousePointer, 0xFFFFFFF0);
  UnitRecordFields parsed;
  ASSERT_TRUE(ParseUnitRecord(record, &parsed));
  EXPECT_TRUE(parsed == fields);
}

TEST(UnitRecordTest, ReplacingARangeKeepsEveryOtherField) {
  const UnitRecordFields fields = SampleFields();
  const Bytes original = BuildUnitRecord(fields);
  RecordLayout layout;
  ASSERT_TRUE(LocateRecordFields(original, &layout));
  const size_t tagLength = fields.tag.size() + 1;

  struct Case {
    const char* what;
    std::string tag;
    Bytes block;
  };
  const Case cases[] = {
      {"longer tag", "a much longer tag than before", fields.propertyBlock},
      {"shorter tag", "t", fields.propertyBlock},
      {"empty tag", "", fields.propertyBlock},
      {"same length tag", "TAG TEXT", fields.propertyBlock},
  };
  for (const Case& c : cases) {
    Bytes record = original;
    Bytes replacement(c.tag.begin(), c.tag.end());
    replacement.push_back(0);
    ReplaceRecordBytes(&record, layout.tag, tagLength, replacement);
    UnitRecordFields parsed;
    ASSERT_TRUE(ParseUnitRecord(record, &parsed)) << c.what;
    UnitRecordFields expected = fields;
    expected.tag = c.tag;
    EXPECT_TRUE(parsed == expected) << c.what;
  }

  for (const Bytes& block : {Bytes(300, 0x5A), Bytes{1, 0, 0, 0}, Bytes{}}) {
    Bytes record = original;
    ReplaceRecordBytes(&record, layout.propertyBlock, layout.propertyBlockLength, block);
    UnitRecordFields parsed;
    ASSERT_TRUE(ParseUnitRecord(record, &parsed));
    UnitRecordFields expected = fields;
    expected.propertyBlock = block;
    EXPECT_TRUE(parsed == expected) << block.size();
  }

  // The mouse pointer grows from four bytes to a whole cursor image and back.
  Bytes record = original;
  ByteWriter image;
  image.CountedBytes(Bytes(40, 0x77));
  ReplaceRecordBytes(&record, layout.mousePointer, 8, image.bytes());
  UnitRecordFields parsed;
  ASSERT_TRUE(ParseUnitRecord(record, &parsed));
  EXPECT_EQ(parsed.mousePointer, Bytes(40, 0x77));
  EXPECT_EQ(parsed.tag, fields.tag);
  EXPECT_EQ(parsed.propertyBlock, fields.propertyBlock);
  ByteWriter small;
  small.CountedBytes(fields.mousePointer);
  ReplaceRecordBytes(&record, layout.mousePointer, 44, small.bytes());
  EXPECT_EQ(record, original);
}

TEST(UnitRecordTest, MenuItemsHaveTheirOwnLayout) {
  MenuItemFields item;
  item.name = "菜单1";
  item.shortcut = 0x0143;
  item.reserved = 7;
  item.flags = 4;
  item.caption = "打开(&O)";
  item.handler = 3;
  const Bytes record = BuildMenuItemRecord(item);

  RecordLayout layout;
  EXPECT_FALSE(LocateRecordFields(record, &layout));
  UnitRecordFields unitFields;
  EXPECT_FALSE(ParseUnitRecord(record, &unitFields));

  MenuItemFields parsed;
  ASSERT_TRUE(ParseMenuItemRecord(record, &parsed));
  EXPECT_TRUE(parsed == item);
  size_t handler = 0;
  ASSERT_TRUE(LocateMenuItemHandler(record, &handler));
  EXPECT_EQ(handler, record.size() - 4);
  EXPECT_EQ(ReadRecordDword(record, handler), 3u);

  Bytes longer = record;
  longer.push_back(0);
  EXPECT_FALSE(ParseMenuItemRecord(longer, &parsed));
  EXPECT_FALSE(ParseMenuItemRecord(Bytes(record.begin(), record.end() - 1), &parsed));
}

// ---------------------------------------------------------------------------
// Window sets

// Two windows: one with a window record and two units, one with a window
// record, a menu item and a unit.
std::vector<WindowDescription> SampleSet() {
  std::vector<WindowDescription> windows(2);
  windows[0].windowId = 0x52010001;
  windows[0].secondDword = 0x19010003;
  UnitRecordFields own;
  own.kind = unit_kind::kWindow;
  own.propertyBlock = {6, 0, 0, 0};
  UnitRecordFields unit = SampleFields();
  windows[0].table.ids = {0x06010000, 0x16010001, 0x16010002};
  windows[0].table.records = {BuildUnitRecord(own), BuildUnitRecord(unit), {}};
  unit.propertyBlock.clear();
  unit.name = "second unit";
  windows[0].table.records[2] = BuildUnitRecord(unit);

  windows[1].windowId = 0x52010002;
  windows[1].firstDword = 17;
  windows[1].secondDword = 0x19010004;
  windows[1].firstText = "first";
  windows[1].secondText = "第二";
  MenuItemFields item;
  item.name = "菜单1";
  item.caption = "退出";
  windows[1].table.ids = {0x06010000, 0x26010001, 0x16010003};
  windows[1].table.records = {BuildUnitRecord(own), BuildMenuItemRecord(item),
                              BuildUnitRecord(SampleFields())};
  return windows;
}

bool ReadGuarded(const Bytes& data, size_t length, std::vector<WindowDescription>* windows) {
  GuardedBytes guarded(data.data(), length);
  EXPECT_TRUE(guarded.ok());
  return ReadWindowSet(guarded.data(), guarded.size(), windows);
}

TEST(WindowSetTest, WritesTheStoredLayout) {
  std::vector<WindowDescription> windows = SampleSet();
  windows.resize(1);
  const Bytes records[3] = {windows[0].table.records[0], windows[0].table.records[1],
                            windows[0].table.records[2]};
  const uint32_t offset1 = static_cast<uint32_t>(4 + records[0].size());
  const uint32_t offset2 = static_cast<uint32_t>(offset1 + 4 + records[1].size());
  // clang-format off
  const Bytes body = Concat({
      Dword(0x06010000), Dword(0x16010001), Dword(0x16010002),  // ids
      Dword(0), Dword(offset1), Dword(offset2),                 // offsets after this array
      Dword(static_cast<uint32_t>(records[0].size())), records[0],
      Dword(static_cast<uint32_t>(records[1].size())), records[1],
      Dword(static_cast<uint32_t>(records[2].size())), records[2],
  });
  const Bytes expected = Concat({
      Dword(8), Dword(0x52010001), Dword(0),        // id array: ids, then object slots
      Dword(0), Dword(0x19010003), Dword(0), Dword(0),  // two dwords, two empty texts
      Dword(3), Dword(static_cast<uint32_t>(body.size())), body,
  });
  // clang-format on
  EXPECT_EQ(WriteWindowSet(windows), expected);
}

TEST(WindowSetTest, RoundTripsThroughTheReader) {
  const std::vector<WindowDescription> windows = SampleSet();
  const Bytes data = WriteWindowSet(windows);
  std::vector<WindowDescription> read;
  ASSERT_TRUE(ReadGuarded(data, data.size(), &read));
  EXPECT_TRUE(read == windows);
  EXPECT_EQ(WriteWindowSet(read), data);

  std::vector<WindowDescription> none = SampleSet();
  ASSERT_TRUE(ReadWindowSet(WriteWindowSet({}).data(), 4, &none));
  EXPECT_TRUE(none.empty());
}

TEST(WindowSetTest, StoredSlotsAndTrailingBytesAreIgnored) {
  Bytes data = WriteWindowSet(SampleSet());
  const Bytes junk = Dword(0xDEADBEEF);
  std::copy(junk.begin(), junk.end(), data.begin() + 12);  // the first slot
  data.push_back(0x99);
  std::vector<WindowDescription> read;
  ASSERT_TRUE(ReadGuarded(data, data.size(), &read));
  EXPECT_TRUE(read == SampleSet());
}

TEST(WindowSetTest, EveryTruncationFailsWithoutReadingPastTheEnd) {
  const Bytes data = WriteWindowSet(SampleSet());
  for (size_t length = 0; length < data.size(); ++length) {
    std::vector<WindowDescription> read = SampleSet();
    EXPECT_FALSE(ReadGuarded(data, length, &read)) << length;
    EXPECT_TRUE(read.empty()) << length;
  }
}

// The set with one window, to be patched: the id array takes 12 bytes, the
// two dwords and two empty texts 16, then come the record count, the body
// length and the body.
class CorruptSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<WindowDescription> windows = SampleSet();
    windows.resize(1);
    data_ = WriteWindowSet(windows);
  }

  void Patch(size_t offset, uint32_t value) {
    const Bytes bytes = Dword(value);
    std::copy(bytes.begin(), bytes.end(), data_.begin() + static_cast<ptrdiff_t>(offset));
  }
  bool Read() {
    std::vector<WindowDescription> read;
    return ReadGuarded(data_, data_.size(), &read);
  }

  static constexpr size_t kRecordCount = 28;
  static constexpr size_t kBodyLength = 32;
  static constexpr size_t kBody = 36;
  static constexpr size_t kOffsets = kBody + 12;
  static constexpr size_t kFirstRecord = kOffsets + 12;
  Bytes data_;
};

TEST_F(CorruptSetTest, TheUnpatchedSetReads) {
  EXPECT_TRUE(Read());
}

TEST_F(CorruptSetTest, AnIdArrayThatIsNotWholeWindowsFails) {
  Patch(0, 7);
  EXPECT_FALSE(Read());
}

TEST_F(CorruptSetTest, ARecordCountBeyondTheBodyFails) {
  Patch(kRecordCount, 0x20000000);
  EXPECT_FALSE(Read());
  Patch(kRecordCount, 0xFFFFFFFF);
  EXPECT_FALSE(Read());
}

TEST_F(CorruptSetTest, AnOffsetPastTheBodyFails) {
  Patch(kOffsets + 4, 0x7FFFFFF0);
  EXPECT_FALSE(Read());
  Patch(kOffsets + 4, 0xFFFFFFFC);
  EXPECT_FALSE(Read());
}

TEST_F(CorruptSetTest, ARecordLengthPastTheBodyOrNegativeFails) {
  Patch(kFirstRecord, 0x10000);
  EXPECT_FALSE(Read());
  Patch(kFirstRecord, 0xFFFFFFFF);
  EXPECT_FALSE(Read());
}

TEST_F(CorruptSetTest, ARecordThatCannotBeWalkedFails) {
  // The first record's child count now runs past its end.
  RecordLayout layout;
  ASSERT_TRUE(LocateRecordFields(SampleSet()[0].table.records[0], &layout));
  Patch(kFirstRecord + 4 + layout.childCount, 1000);
  EXPECT_FALSE(Read());
}

TEST(WindowSetTest, TheFirstRecordIsWalkedAsTheWindowsOwnWhateverItsId) {
  // The second window holds a menu item after its own record; moved to the
  // front, the item cannot be walked as a window record.
  std::vector<WindowDescription> windows = SampleSet();
  std::vector<WindowDescription> read;
  Bytes data = WriteWindowSet(windows);
  ASSERT_TRUE(ReadGuarded(data, data.size(), &read));
  std::swap(windows[1].table.ids[0], windows[1].table.ids[1]);
  std::swap(windows[1].table.records[0], windows[1].table.records[1]);
  data = WriteWindowSet(windows);
  EXPECT_FALSE(ReadGuarded(data, data.size(), &read));
  EXPECT_TRUE(read.empty());
}

TEST_F(CorruptSetTest, ANegativeBodyLengthIsAnEmptyBodyAndFailsItsRecords) {
  Patch(kBodyLength, 0xFFFFFFFF);
  EXPECT_FALSE(Read());
  Patch(kRecordCount, 0);  // no records now: an empty body is consistent
  std::vector<WindowDescription> read;
  ASSERT_TRUE(ReadWindowSet(data_.data(), kBody, &read));
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].table.Count(), 0u);
}

}  // namespace
}  // namespace mnemora
