// Every unit kind's descriptor as the runtime and stored forms see it: its
// names, state flags, property count and which numbered operations it hands
// out; and the operations every kind shares turning down a block it would
// not load.
#include <gtest/gtest.h>

#include <string>

#include "window/units/button.h"
#include "window/units/draw_panel.h"
#include "window/units/edit_box.h"
#include "window/units/group_box.h"
#include "window/units/label.h"
#include "window/units/list_box.h"
#include "window/units/transparent_label.h"
#include "window/units/unit_interface.h"
#include "window/units/window_kind.h"

namespace mnemora {
namespace {

struct KindShape {
  const UnitTypeDescriptor* kind;
  const char* name;
  const char* englishName;
  uint32_t stateFlags;
  uint32_t propertyCount;
  bool keyInterest;
  bool convertsTexts;
  bool enterInterest;
};

const KindShape kShapes[] = {
    {&kWindowKindDescriptor, "窗口", "window", 0x800000D0, 32, false, false, false},
    {&kEditBoxDescriptor, "编辑框", "EditBox", 0x80000040, 29, true, true, false},
    {&kDrawPanelKindDescriptor, "画板", "DrawPanel", 0x800200C0, 23, false, false, false},
    {&kGroupBoxKindDescriptor, "分组框", "GroupBox", 0x840140C0, 13, false, true, false},
    {&kLabelKindDescriptor, "标签", "Label", 0x84012040, 29, false, true, false},
    {&kButtonKindDescriptor, "按钮", "Button", 0x80000840, 14, false, true, true},
    {&kListBoxDescriptor, "列表框", "ListBox", 0x80000040, 22, false, true, false},
    {&kTransparentLabelKindDescriptor, "透明标签", "TransLabel", 0x00012040, 15, false, true,
     false},
};

void* Operation(const UnitTypeDescriptor& kind, int32_t number) {
  return kind.getInterface(number);
}

TEST(UnitKindShapes, DescriptorsKeepTheirNamesFlagsTablesAndOperations) {
  for (const KindShape& shape : kShapes) {
    const UnitTypeDescriptor& kind = *shape.kind;
    SCOPED_TRACE(shape.englishName);
    EXPECT_STREQ(kind.name, shape.name);
    EXPECT_STREQ(kind.englishName, shape.englishName);
    EXPECT_EQ(kind.stateFlags, shape.stateFlags);
    EXPECT_EQ(kind.propertyCount, shape.propertyCount);
    ASSERT_NE(kind.properties, nullptr);
    // The eight common properties lead every table: left is an integer,
    // visible a boolean.
    EXPECT_EQ(kind.properties[0].typeCode, 1001);
    EXPECT_EQ(kind.properties[5].typeCode, 1003);
    ASSERT_NE(kind.getInterface, nullptr);
    EXPECT_NE(Operation(kind, unit_operation::kCreate), nullptr);
    EXPECT_NE(Operation(kind, unit_operation::kSetProperty), nullptr);
    EXPECT_NE(Operation(kind, unit_operation::kSave), nullptr);
    EXPECT_NE(Operation(kind, unit_operation::kGetProperty), nullptr);
    EXPECT_EQ(Operation(kind, unit_operation::kKeyInterest) != nullptr, shape.keyInterest);
    EXPECT_EQ(Operation(kind, unit_operation::kConvertTexts) != nullptr, shape.convertsTexts);
    EXPECT_EQ(Operation(kind, unit_operation::kEnterInterest) != nullptr, shape.enterInterest);
    EXPECT_EQ(Operation(kind, unit_operation::kMessageFilter), nullptr);
    for (int32_t unnumbered : {0, 2, 3, 7, 12, -1}) {
      EXPECT_EQ(Operation(kind, unnumbered), nullptr) << unnumbered;
    }
  }
}

std::string Shout(const std::string& text) {
  return text + "!";
}

// A version no kind has written yet: every kind turns the block down.
const Bytes kTooNew = {0xFF, 0, 0, 0};

TEST(UnitKindShapes, ABlockAKindWouldNotLoadMakesNoUnitAndConvertsToItself) {
  for (const KindShape& shape : kShapes) {
    const UnitTypeDescriptor& kind = *shape.kind;
    SCOPED_TRACE(shape.englishName);
    UnitCreateArgs args{};
    args.propertyBlock = &kTooNew;
    const auto create =
        reinterpret_cast<CreateUnitOperation>(Operation(kind, unit_operation::kCreate));
    EXPECT_EQ(create(args), nullptr);
    if (const auto convert = reinterpret_cast<ConvertTextsOperation>(
            Operation(kind, unit_operation::kConvertTexts))) {
      EXPECT_EQ(convert(kTooNew, Shout), kTooNew);
      // The defaults' texts are offered: something of the empty block changes.
      EXPECT_NE(convert(Bytes(), Shout),
                convert(Bytes(), [](const std::string& text) { return text; }));
    }
  }
}

}  // namespace
}  // namespace mnemora
