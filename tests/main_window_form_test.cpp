#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/handler_routines.h"
#include "app/main_form_data.h"
#include "app/main_window_form.h"
#include "app/program_header.h"
#include "window/form_description.h"
#include "window/units/button_block.h"
#include "window/units/draw_panel_block.h"
#include "window/units/edit_box_block.h"
#include "window/units/group_box_block.h"
#include "window/units/label_block.h"
#include "window/units/list_box_block.h"
#include "window/units/transparent_label_block.h"
#include "window/units/window_block.h"

namespace mnemora::app {
namespace {

// The main window as it must be stored, record by record.
struct ExpectedRecord {
  uint32_t id;
  const char* name;
  uint32_t kind;
  uint32_t parent;
  int32_t left, top, width, height;
  uint32_t flags;
  std::vector<uint32_t> children;
  uint32_t mousePointer;
  std::vector<std::pair<int32_t, int32_t>> events;
};

const std::vector<ExpectedRecord>& Design() {
  using namespace unit_kind;
  // clang-format off
  static const std::vector<ExpectedRecord> records = {
      {0x06010000, "", kWindow, 0, 50, 50, 520, 332, 1, {}, 0, {{0, kWindowCreated}}},
      {0x1601023A, "编辑框_监测按键", kEditBox, 0, 8, 312, 512, 16, 5, {}, 0, {{0, kKeyMonitorChanged}}},
      {0x160101C2, "透明标签2", kTransparentLabel, 0x1601016B, 360, 14, 40, 16, 1, {}, 32651, {{-1, kShowDeleteHelp}}},
      {0x160101C1, "透明标签1", kTransparentLabel, 0x1601016B, 230, 14, 40, 16, 1, {}, 32651, {{-1, kShowFormatHelp}}},
      {0x160101C0, "画板1", kDrawPanel, 0x1601008E, 8, 17, 344, 152, 0, {}, 0, {{-1, 0}}},
      {0x16010170, "按钮_删除", kButton, 0x1601016B, 401, 14, 88, 21, 5, {}, 0, {{0, kDeleteInstruction}}},
      {0x1601016E, "按钮_修改", kButton, 0x1601016B, 269, 14, 88, 21, 5, {}, 0, {{0, kModifyAnnotation}}},
      {0x1601016D, "按钮_添加", kButton, 0x1601016B, 137, 14, 88, 21, 5, {}, 0, {{0, kAddInstruction}}},
      {0x1601016C, "标签_指令个数", kLabel, 0x1601016B, 11, 15, 125, 18, 1, {}, 0, {}},
      {0x1601016B, "分组框4", kGroupBox, 0, 8, 264, 496, 38, 1,
       {0x160101C2, 0x160101C1, 0x16010170, 0x1601016E, 0x1601016D, 0x1601016C}, 0, {}},
      {0x1601008F, "编辑框_功能", kEditBox, 0x1601008E, 7, 16, 339, 147, 5, {}, 0,
       {{-2, kAnnotationButtonReleased}, {-3, kAnnotationDoubleClick}}},
      {0x1601008E, "分组框3", kGroupBox, 0, 144, 87, 360, 176, 1, {0x160101C0, 0x1601008F}, 0, {}},
      {0x1601008B, "标签2", kLabel, 0x1601008A, 254, 19, 72, 24, 1, {}, 0, {}},
      {0x1601008C, "标签1", kLabel, 0x1601008A, 36, 19, 86, 24, 1, {}, 0, {}},
      {0x1601008D, "编辑框_查询", kEditBox, 0x1601008A, 136, 21, 102, 24, 5, {}, 0,
       {{0, kQueryChanged}, {-9, kQueryKeyDown}, {-3, kQueryDoubleClick}}},
      {0x1601008A, "分组框2", kGroupBox, 0, 144, 16, 360, 57, 1, {0x1601008B, 0x1601008C, 0x1601008D}, 0, {}},
      {0x16010089, "列表框1", kListBox, 0x16010087, 8, 16, 104, 224, 5, {}, 0, {{0, kInstructionSelected}}},
      {0x16010087, "分组框1", kGroupBox, 0, 8, 16, 120, 248, 1, {0x16010089}, 0, {}},
  };
  // clang-format on
  return records;
}

class MainWindowFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ReadWindowSet(MainFormData(), MainFormDataLength(), &windows_));
    ASSERT_EQ(windows_.size(), 1u);
    ASSERT_EQ(windows_[0].table.Count(), 18u);
    for (const Bytes& record : windows_[0].table.records) {
      UnitRecordFields fields;
      ASSERT_TRUE(ParseUnitRecord(record, &fields));
      records_.push_back(fields);
    }
  }

  const Bytes& Block(size_t index) const { return records_[index].propertyBlock; }

  std::vector<WindowDescription> windows_;
  std::vector<UnitRecordFields> records_;
};

TEST_F(MainWindowFormTest, EmbeddedBytesAreWhatTheWriterMakesOfTheTable) {
  const Bytes written = WriteWindowSet(MainWindowForm());
  EXPECT_EQ(Bytes(MainFormData(), MainFormData() + MainFormDataLength()), written);
  EXPECT_EQ(WriteWindowSet(windows_), written);

  const ProgramHeader& header = MnemoraProgramHeader();
  EXPECT_EQ(header.formData, MainFormData());
  EXPECT_EQ(header.formLength, MainFormDataLength());
}

TEST_F(MainWindowFormTest, HoldsTheMainWindowsRecordsInTableOrder) {
  const WindowDescription& window = windows_[0];
  EXPECT_EQ(window.windowId, 0x52010001u);
  EXPECT_EQ(window.firstDword, 0u);
  EXPECT_EQ(window.secondDword, 0x19010003u);
  EXPECT_TRUE(window.firstText.empty());
  EXPECT_TRUE(window.secondText.empty());

  for (size_t i = 0; i < Design().size(); ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    const ExpectedRecord& expected = Design()[i];
    const UnitRecordFields& record = records_[i];
    EXPECT_EQ(window.table.ids[i], expected.id);
    EXPECT_EQ(record.name, expected.name);
    EXPECT_EQ(record.kind, expected.kind);
    EXPECT_EQ(record.parent, expected.parent);
    EXPECT_EQ(record.left, expected.left);
    EXPECT_EQ(record.top, expected.top);
    EXPECT_EQ(record.width, expected.width);
    EXPECT_EQ(record.height, expected.height);
    EXPECT_EQ(record.stateFlags, expected.flags);
    EXPECT_EQ(record.children, expected.children);
    const uint32_t p = expected.mousePointer;
    EXPECT_EQ(record.mousePointer,
              (Bytes{static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8), 0, 0}));
    ASSERT_EQ(record.events.size(), expected.events.size());
    for (size_t e = 0; e < expected.events.size(); ++e) {
      EXPECT_EQ(record.events[e].event, expected.events[e].first);
      EXPECT_EQ(record.events[e].handler, expected.events[e].second);
    }
    EXPECT_EQ(record.eventSource, 0u);
    EXPECT_EQ(record.tabOrder, 0u);
    EXPECT_TRUE(record.secondName.empty());
    EXPECT_TRUE(record.tag.empty());
  }
  // Names are stored as GBK.
  EXPECT_EQ(records_[4].name,
            "\xBB\xAD\xB0\xE5"
            "1");
}

TEST_F(MainWindowFormTest, HandlerRoutinesAreDistinctAndThePanelsComesFirst) {
  EXPECT_EQ(kHideHelpPanel, 0);
  std::vector<bool> used(kHandlerRoutineCount, false);
  for (const UnitRecordFields& record : records_) {
    for (const EventBinding& binding : record.events) {
      ASSERT_GE(binding.handler, 0);
      ASSERT_LT(binding.handler, kHandlerRoutineCount);
      EXPECT_FALSE(used[binding.handler]) << "routine " << binding.handler << " bound twice";
      used[binding.handler] = true;
    }
  }
  EXPECT_EQ(std::count(used.begin(), used.end(), true), kHandlerRoutineCount);
}

TEST_F(MainWindowFormTest, WindowBlock) {
  WindowProperties window;
  ASSERT_TRUE(ReadPropertyBlock(Block(0), &window));
  EXPECT_TRUE(window == (WindowProperties{
                            .version = 6,
                            .escCloses = 0,
                            .alwaysOnTop = 1,
                            .title = "Mnemora" + std::string(36, ' ') + "作者ky4410m",
                        }));
  EXPECT_EQ(window.title, std::string("Mnemora") + std::string(36, ' ') +
                              "\xD7\xF7\xD5\xDF"
                              "ky4410m");
  EXPECT_EQ(window.title.size(), 54u);
}

TEST_F(MainWindowFormTest, EditBoxBlocks) {
  EditBoxProperties keyMonitor;
  ASSERT_TRUE(ReadPropertyBlock(Block(1), &keyMonitor));
  EXPECT_TRUE(keyMonitor == (EditBoxProperties{.version = 2, .borderStyle = 1, .alignment = 1}));
  EXPECT_EQ(Block(1).size(), 4 + 9 * 4 + 2 + 6 * 4 + 4 * 4u);

  EditBoxProperties annotation;
  ASSERT_TRUE(ReadPropertyBlock(Block(10), &annotation));
  EXPECT_TRUE(annotation == (EditBoxProperties{.version = 2,
                                               .borderStyle = 3,
                                               .textColour = 0x00C06000,
                                               .multiLine = 1,
                                               .scrollBars = 3}));

  EXPECT_TRUE(Block(14).empty());
}

TEST_F(MainWindowFormTest, TransparentLabelBlocks) {
  Bytes font(60, 0);
  font[0] = 0xF2;  // height -14
  font[1] = font[2] = font[3] = 0xFF;
  font[16] = 0x90;  // weight 400
  font[17] = 0x01;
  font[23] = 134;  // character set
  const char* captions[] = {"删除", "格式"};
  for (size_t i = 0; i < 2; ++i) {
    TransparentLabelProperties label;
    ASSERT_TRUE(ReadPropertyBlock(Block(2 + i), &label));
    EXPECT_TRUE(label == (TransparentLabelProperties{.version = 1,
                                                     .textColour = 0x000000FF,
                                                     .horizontalAlignment = 1,
                                                     .verticalAlignment = 1,
                                                     .font = font,
                                                     .caption = captions[i]}))
        << i;
  }
}

TEST_F(MainWindowFormTest, DrawPanelBlock) {
  DrawPanelProperties panel;
  ASSERT_TRUE(ReadPropertyBlock(Block(4), &panel));
  EXPECT_TRUE(panel == (DrawPanelProperties{.version = 1,
                                            .backgroundColour = 0xFF000000,
                                            .penStyle = 1,
                                            .drawingMode = 12,
                                            .brushStyle = 1,
                                            .brushColour = 0x00FFFFFF,
                                            .textBackgroundColour = 0xFF000000}));
  EXPECT_EQ(Block(4).size(), 14 * 4 + 2 * 4u);
}

TEST_F(MainWindowFormTest, ButtonBlocks) {
  const char* captions[] = {"删除", "修改", "添加"};
  for (size_t i = 0; i < 3; ++i) {
    ButtonProperties button;
    ASSERT_TRUE(ReadPropertyBlock(Block(5 + i), &button));
    EXPECT_TRUE(button == (ButtonProperties{.version = 1, .caption = captions[i]})) << i;
  }
}

TEST_F(MainWindowFormTest, LabelBlocks) {
  const std::pair<size_t, const char*> labels[] = {
      {8, ""}, {12, "回车找注解"}, {13, "输入首拼音查询"}};
  for (const auto& [index, caption] : labels) {
    LabelProperties label;
    ASSERT_TRUE(ReadPropertyBlock(Block(index), &label));
    EXPECT_TRUE(label ==
                (LabelProperties{.version = 2, .textColour = 0x00C06000, .caption = caption}))
        << index;
  }
}

TEST_F(MainWindowFormTest, GroupBoxBlocks) {
  const struct {
    size_t index;
    uint32_t textColour;
    const char* caption;
  } groups[] = {{9, 0, "数据操作"},
                {11, 0x00FF0090, "指令说明"},
                {15, 0x00FF0090, "输入查询"},
                {17, 0x00FF0090, "指令集"}};
  for (const auto& g : groups) {
    GroupBoxProperties group;
    ASSERT_TRUE(ReadPropertyBlock(Block(g.index), &group));
    EXPECT_TRUE(group == (GroupBoxProperties{.version = 1,
                                             .textColour = g.textColour,
                                             .backgroundColour = 0xFF000000,
                                             .caption = g.caption}))
        << g.index;
  }
}

TEST_F(MainWindowFormTest, ListBoxBlock) {
  ListBoxProperties list;
  ASSERT_TRUE(ReadPropertyBlock(Block(16), &list));
  EXPECT_TRUE(list == (ListBoxProperties{.version = 3,
                                         .borderStyle = 5,
                                         .rowSpacing = 1,
                                         .textColour = 0x00FF8800,
                                         .backgroundColour = 0x00FFFFFF,
                                         .currentSelection = -1}));
  EXPECT_EQ(Block(16).size(), 4 + 8 * 4 + 2 * 4 + 2 + 2 * 4 + 4u);
}

}  // namespace
}  // namespace mnemora::app
