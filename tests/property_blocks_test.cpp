#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/form_bytes.h"
#include "window/units/button_block.h"
#include "window/units/draw_panel_block.h"
#include "window/units/edit_box_block.h"
#include "window/units/group_box_block.h"
#include "window/units/label_block.h"
#include "window/units/list_box_block.h"
#include "window/units/transparent_label_block.h"
#include "window/units/window_block.h"

namespace mnemora {
namespace {

const Bytes kFont(60, 0x31);
const Bytes kPicture = {0x89, 'P', 'N', 'G', 1, 2, 3};

// Dwords first .. first + count - 1: distinct values show a swapped field.
void Dwords(ByteWriter* writer, uint32_t first, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) {
    writer->Dword(first + i);
  }
}

// The sample must be written as exactly the expected bytes and read back
// whole; any shorter block, a longer one and any version above the highest
// are rejected.
template <typename Properties>
void ExpectExactCodec(uint32_t highestVersion, const Properties& sample, const Bytes& expected) {
  EXPECT_EQ(WritePropertyBlock(sample), expected);
  Properties read;
  ASSERT_TRUE(ReadPropertyBlock(expected, &read));
  EXPECT_TRUE(read == sample);

  for (size_t length = 1; length < expected.size(); ++length) {
    const Bytes prefix(expected.begin(), expected.begin() + static_cast<ptrdiff_t>(length));
    EXPECT_FALSE(ReadPropertyBlock(prefix, &read)) << "prefix of " << length;
  }
  Bytes longer = expected;
  longer.push_back(0);
  EXPECT_FALSE(ReadPropertyBlock(longer, &read));

  for (uint32_t version : {highestVersion + 1, 0xFFFFFFFFu}) {
    Properties newer = sample;
    newer.version = version;
    EXPECT_FALSE(ReadPropertyBlock(WritePropertyBlock(newer), &read)) << "version " << version;
  }
}

TEST(PropertyBlockTest, WindowBlock) {
  WindowProperties p{.version = 6,
                     .borderStyle = 101,
                     .pictureLayout = 102,
                     .backgroundColour = 103,
                     .maximizeButton = 104,
                     .minimizeButton = 105,
                     .controlBox = 106,
                     .startPosition = 107,
                     .movable = 108,
                     .musicPlayMode = 109,
                     .enterMovesFocus = 110,
                     .escCloses = 111,
                     .f1OpensHelp = 112,
                     .helpContext = 113,
                     .showInTaskbar = 114,
                     .dragAnywhere = 115,
                     .shape = 116,
                     .alwaysOnTop = 117,
                     .keepTitleActive = 118,
                     .className = "cls",
                     .backgroundPicture = kPicture,
                     .icon = {1, 2},
                     .music = {3},
                     .title = "标题",
                     .helpFile = "help.chm"};
  ByteWriter w;
  w.Dword(6);
  Dwords(&w, 101, 18);
  w.CountedText("cls");
  w.CountedBytes(kPicture);
  w.CountedBytes({1, 2});
  w.CountedBytes({3});
  w.CountedText("标题");
  w.CountedText("help.chm");
  ExpectExactCodec<WindowProperties>(6, p, w.Take());
}

TEST(PropertyBlockTest, WindowBlockOfEachOlderVersionLacksItsLaterFields) {
  // Dwords after the first thirteen; none of these versions has the class name.
  const struct {
    uint32_t version;
    uint32_t extraDwords;
  } versions[] = {{0, 0}, {1, 0}, {2, 1}, {3, 3}, {4, 4}, {5, 5}};
  for (const auto& v : versions) {
    ByteWriter w;
    w.Dword(v.version);
    Dwords(&w, 101, 13 + v.extraDwords);
    for (int i = 0; i < 3; ++i) {
      w.CountedBytes({});
    }
    w.CountedText("T");
    w.CountedText("");
    const Bytes block = w.Take();

    WindowProperties p;
    ASSERT_TRUE(ReadPropertyBlock(block, &p)) << v.version;
    EXPECT_EQ(p.version, v.version);
    EXPECT_EQ(p.helpContext, 113u);
    EXPECT_EQ(p.showInTaskbar, v.version >= 2 ? 114u : 1u);
    EXPECT_EQ(p.dragAnywhere, v.version >= 3 ? 115u : 0u);
    EXPECT_EQ(p.alwaysOnTop, v.version >= 4 ? 117u : 0u);
    EXPECT_EQ(p.keepTitleActive, v.version >= 5 ? 118u : 0u);
    EXPECT_EQ(p.title, "T");
    EXPECT_EQ(WritePropertyBlock(p), block) << "written back as the version it came in";
  }
}

TEST(PropertyBlockTest, EditBoxBlock) {
  EditBoxProperties p{.version = 2,
                      .borderStyle = 101,
                      .textColour = 102,
                      .backgroundColour = 103,
                      .hideSelection = 104,
                      .maxLength = 105,
                      .multiLine = 106,
                      .scrollBars = 107,
                      .alignment = 108,
                      .inputMode = 109,
                      .passwordCharacter = 0x0123,
                      .caseConversion = 110,
                      .adjusterMode = 111,
                      .adjusterMinimum = -112,
                      .adjusterMaximum = 113,
                      .selectionStart = 114,
                      .selectionLength = 115,
                      .font = kFont,
                      .content = "内容",
                      .dataSource = "src",
                      .dataColumn = "col"};
  ByteWriter w;
  w.Dword(2);
  Dwords(&w, 101, 9);
  w.Word(0x0123);
  Dwords(&w, 110, 2);
  w.SignedDword(-112);
  Dwords(&w, 113, 3);
  w.CountedBytes(kFont);
  w.CountedText("内容");
  w.CountedText("src");
  w.CountedText("col");
  ExpectExactCodec<EditBoxProperties>(2, p, w.Take());

  // Version 1 ends with the content.
  p.version = 1;
  p.dataSource.clear();
  p.dataColumn.clear();
  const Bytes v1 = WritePropertyBlock(p);
  EXPECT_EQ(v1.size(), 4 + 9 * 4 + 2 + 6 * 4 + 64 + 4 + 4u);
  EditBoxProperties read;
  ASSERT_TRUE(ReadPropertyBlock(v1, &read));
  EXPECT_TRUE(read == p);
}

TEST(PropertyBlockTest, ListBoxBlock) {
  ListBoxProperties p{.version = 3,
                      .borderStyle = 101,
                      .autoSort = 102,
                      .multiColumn = 103,
                      .rowSpacing = 104,
                      .textColour = 105,
                      .backgroundColour = 106,
                      .multipleSelection = 107,
                      .currentSelection = -1,
                      .font = kFont,
                      .itemData = {1, 0, 0, 0, 2, 0, 0, 0},
                      .items = {"甲", "", "丙"},
                      .dataSource = "src",
                      .dataColumn = "col",
                      .bindingOption = 108};
  ByteWriter w;
  w.Dword(3);
  Dwords(&w, 101, 7);
  w.SignedDword(-1);
  w.CountedBytes(kFont);
  w.CountedBytes({1, 0, 0, 0, 2, 0, 0, 0});
  w.Word(3);
  w.CountedText("甲");
  w.CountedText("");
  w.CountedText("丙");
  w.CountedText("src");
  w.CountedText("col");
  w.Dword(108);
  ExpectExactCodec<ListBoxProperties>(3, p, w.Take());

  // Version 2 lacks the binding option, version 1 the data names too.
  const Bytes v3 = WritePropertyBlock(p);
  for (uint32_t version : {1u, 2u}) {
    ListBoxProperties older = p;
    older.version = version;
    older.bindingOption = 0;
    if (version < 2) {
      older.dataSource.clear();
      older.dataColumn.clear();
    }
    const Bytes block = WritePropertyBlock(older);
    EXPECT_EQ(block.size(), v3.size() - (version < 2 ? 18 : 4)) << version;
    ListBoxProperties read;
    ASSERT_TRUE(ReadPropertyBlock(block, &read)) << version;
    EXPECT_TRUE(read == older) << version;
  }
}

TEST(PropertyBlockTest, DrawPanelBlock) {
  DrawPanelProperties p{.version = 1,
                        .borderStyle = 101,
                        .backgroundColour = 102,
                        .pictureMode = 103,
                        .keepDrawing = 104,
                        .drawingUnit = 105,
                        .penStyle = 106,
                        .drawingMode = 107,
                        .penWidth = 108,
                        .penColour = 109,
                        .brushStyle = 110,
                        .brushColour = 111,
                        .textColour = 112,
                        .textBackgroundColour = 113,
                        .font = kFont,
                        .backgroundPicture = kPicture};
  ByteWriter w;
  w.Dword(1);
  Dwords(&w, 101, 13);
  w.CountedBytes(kFont);
  w.CountedBytes(kPicture);
  ExpectExactCodec<DrawPanelProperties>(1, p, w.Take());
}

TEST(PropertyBlockTest, GroupBoxBlock) {
  GroupBoxProperties p{.version = 1,
                       .alignment = 101,
                       .textColour = 102,
                       .backgroundColour = 103,
                       .font = kFont,
                       .caption = "分组"};
  ByteWriter w;
  w.Dword(1);
  Dwords(&w, 101, 3);
  w.CountedBytes(kFont);
  w.CountedText("分组");
  ExpectExactCodec<GroupBoxProperties>(1, p, w.Take());
}

TEST(PropertyBlockTest, LabelBlock) {
  LabelProperties p{.version = 2,
                    .effect = 101,
                    .frameWidth = 102,
                    .borderStyle = 103,
                    .frameColour1 = 104,
                    .frameColour2 = 105,
                    .frameColour3 = 106,
                    .textColour = 107,
                    .backgroundColour = 108,
                    .pictureMode = 109,
                    .gradientMode = 110,
                    .gradientColour1 = 111,
                    .gradientColour2 = 112,
                    .gradientColour3 = 113,
                    .horizontalAlignment = 114,
                    .verticalAlignment = 115,
                    .wordWrap = 116,
                    .font = kFont,
                    .backgroundPicture = kPicture,
                    .caption = "标",
                    .dataSource = "src",
                    .dataColumn = "col"};
  ByteWriter w;
  w.Dword(2);
  Dwords(&w, 101, 16);
  w.CountedBytes(kFont);
  w.CountedBytes(kPicture);
  w.CountedText("标");
  w.CountedText("src");
  w.CountedText("col");
  ExpectExactCodec<LabelProperties>(2, p, w.Take());

  // Version 1 ends with the caption.
  p.version = 1;
  p.dataSource.clear();
  p.dataColumn.clear();
  const Bytes v1 = WritePropertyBlock(p);
  EXPECT_EQ(v1.size(), 4 + 16 * 4 + 64 + 4 + 7 + 4 + 2u);
  LabelProperties read;
  ASSERT_TRUE(ReadPropertyBlock(v1, &read));
  EXPECT_TRUE(read == p);
}

TEST(PropertyBlockTest, ButtonBlock) {
  ButtonProperties p{.version = 1,
                     .defaultButton = 101,
                     .horizontalAlignment = 102,
                     .verticalAlignment = 103,
                     .picture = kPicture,
                     .font = kFont,
                     .caption = "按"};
  ByteWriter w;
  w.Dword(1);
  Dwords(&w, 101, 3);
  w.CountedBytes(kPicture);
  w.CountedBytes(kFont);
  w.CountedText("按");
  ExpectExactCodec<ButtonProperties>(1, p, w.Take());
}

TEST(PropertyBlockTest, TransparentLabelBlock) {
  TransparentLabelProperties p{.version = 1,
                               .effect = 101,
                               .textColour = 102,
                               .horizontalAlignment = 103,
                               .verticalAlignment = 104,
                               .multiLine = 105,
                               .font = kFont,
                               .caption = "透"};
  ByteWriter w;
  w.Dword(1);
  Dwords(&w, 101, 5);
  w.CountedBytes(kFont);
  w.CountedText("透");
  const Bytes block = w.Take();
  ExpectExactCodec<TransparentLabelProperties>(1, p, block);

  // Version 0 holds the same fields.
  Bytes v0 = block;
  v0[0] = 0;
  TransparentLabelProperties read;
  ASSERT_TRUE(ReadPropertyBlock(v0, &read));
  EXPECT_EQ(read.version, 0u);
  EXPECT_EQ(read.caption, "透");
}

// The main window's test checks most defaults through its tables; these are
// the ones it does not reach.
TEST(PropertyBlockTest, EmptyBlocksGiveTheKindsDefaults) {
  WindowProperties window;
  window.escCloses = 0;
  ASSERT_TRUE(ReadPropertyBlock({}, &window));
  EXPECT_TRUE(window == WindowProperties{});
  EXPECT_EQ(window.escCloses, 1u);
  EXPECT_EQ(window.alwaysOnTop, 0u);

  EditBoxProperties edit;
  edit.borderStyle = 9;
  ASSERT_TRUE(ReadPropertyBlock({}, &edit));
  EXPECT_TRUE(edit == EditBoxProperties{});
  EXPECT_EQ(edit.borderStyle, 1u);

  ListBoxProperties list;
  ASSERT_TRUE(ReadPropertyBlock({}, &list));
  EXPECT_EQ(list.borderStyle, 1u);
  EXPECT_EQ(list.textColour, 0u);

  DrawPanelProperties panel;
  EXPECT_TRUE(ReadPropertyBlock({}, &panel));
  GroupBoxProperties group;
  group.caption = "x";
  ASSERT_TRUE(ReadPropertyBlock({}, &group));
  EXPECT_EQ(group.caption, "");

  LabelProperties label;
  ASSERT_TRUE(ReadPropertyBlock({}, &label));
  EXPECT_EQ(label.textColour, 0u);
  EXPECT_EQ(label.caption, "标签");

  ButtonProperties button;
  ASSERT_TRUE(ReadPropertyBlock({}, &button));
  EXPECT_EQ(button.caption, "按钮");

  TransparentLabelProperties transparent;
  ASSERT_TRUE(ReadPropertyBlock({}, &transparent));
  EXPECT_EQ(transparent.horizontalAlignment, 0u);
  EXPECT_EQ(transparent.verticalAlignment, 1u);
  EXPECT_EQ(transparent.caption, "透明标签");
}

}  // namespace
}  // namespace mnemora
