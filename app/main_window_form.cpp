#include "app/main_window_form.h"

#include <string>

#include "app/handler_routines.h"
#include "app/program_header.h"
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

// System cursor id of the arrow with a question mark.
constexpr uint32_t kHelpCursor = 32651;

constexpr uint32_t kFaceColour = 0xFF000000;  // the system's button-face colour
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kGrey = 0x00808080;
constexpr uint32_t kLabelBlue = 0x00C06000;
constexpr uint32_t kCaptionPurple = 0x00FF0090;

// A LOGFONTA record with every other field zero and an empty face name.
Bytes FontRecord(int32_t height, int32_t weight, uint8_t charSet) {
  Bytes font(60, 0);
  for (int i = 0; i < 4; ++i) {
    font[i] = static_cast<uint8_t>(static_cast<uint32_t>(height) >> (8 * i));
    font[16 + i] = static_cast<uint8_t>(static_cast<uint32_t>(weight) >> (8 * i));
  }
  font[23] = charSet;
  return font;
}

// The title the single-instance check looks for.
std::string MainWindowTitle() {
  return "Mnemora" + std::string(36, ' ') + "作者ky4410m";
}

Bytes MainWindowBlock() {
  return WritePropertyBlock(WindowProperties{
      .version = 6,
      .borderStyle = 2,
      .pictureLayout = 1,
      .backgroundColour = kFaceColour,
      .maximizeButton = 0,
      .minimizeButton = 1,
      .controlBox = 1,
      .startPosition = 1,
      .movable = 1,
      .musicPlayMode = 0,
      .enterMovesFocus = 0,
      .escCloses = 0,
      .f1OpensHelp = 0,
      .helpContext = 0,
      .showInTaskbar = 1,
      .dragAnywhere = 0,
      .shape = 0,
      .alwaysOnTop = 1,
      .keepTitleActive = 0,
      .title = MainWindowTitle(),
  });
}

Bytes EditBoxBlock(uint32_t borderStyle, uint32_t textColour, uint32_t multiLine,
                   uint32_t scrollBars, uint32_t alignment) {
  return WritePropertyBlock(EditBoxProperties{
      .version = 2,
      .borderStyle = borderStyle,
      .textColour = textColour,
      .backgroundColour = kWhite,
      .hideSelection = 1,
      .maxLength = 0,
      .multiLine = multiLine,
      .scrollBars = scrollBars,
      .alignment = alignment,
      .inputMode = 0,
      .passwordCharacter = 0x002A,
      .caseConversion = 0,
      .adjusterMode = 0,
      .adjusterMinimum = 0,
      .adjusterMaximum = 100,
      .selectionStart = 0,
      .selectionLength = 0,
  });
}

Bytes HelpLabelBlock(const char* caption) {
  return WritePropertyBlock(TransparentLabelProperties{
      .version = 1,
      .effect = 0,
      .textColour = 0x000000FF,
      .horizontalAlignment = 1,
      .verticalAlignment = 1,
      .multiLine = 0,
      .font = FontRecord(-14, 400, 134),
      .caption = caption,
  });
}

Bytes HelpPanelBlock() {
  return WritePropertyBlock(DrawPanelProperties{
      .version = 1,
      .borderStyle = 0,
      .backgroundColour = kFaceColour,
      .pictureMode = 0,
      .keepDrawing = 0,
      .drawingUnit = 0,
      .penStyle = 1,
      .drawingMode = 12,
      .penWidth = 0,
      .penColour = 0,
      .brushStyle = 1,
      .brushColour = kWhite,
      .textColour = 0,
      .textBackgroundColour = kFaceColour,
  });
}

Bytes ButtonBlock(const char* caption) {
  return WritePropertyBlock(ButtonProperties{
      .version = 1,
      .defaultButton = 0,
      .horizontalAlignment = 1,
      .verticalAlignment = 1,
      .caption = caption,
  });
}

Bytes LabelBlock(const char* caption) {
  return WritePropertyBlock(LabelProperties{
      .version = 2,
      .effect = 0,
      .frameWidth = 8,
      .borderStyle = 0,
      .frameColour1 = kGrey,
      .frameColour2 = kWhite,
      .frameColour3 = kGrey,
      .textColour = kLabelBlue,
      .backgroundColour = kFaceColour,
      .pictureMode = 1,
      .gradientMode = 0,
      .gradientColour1 = kGrey,
      .gradientColour2 = kWhite,
      .gradientColour3 = kGrey,
      .horizontalAlignment = 0,
      .verticalAlignment = 1,
      .wordWrap = 0,
      .caption = caption,
  });
}

Bytes GroupBoxBlock(uint32_t textColour, const char* caption) {
  return WritePropertyBlock(GroupBoxProperties{
      .version = 1,
      .alignment = 0,
      .textColour = textColour,
      .backgroundColour = kFaceColour,
      .caption = caption,
  });
}

Bytes ListBoxBlock() {
  return WritePropertyBlock(ListBoxProperties{
      .version = 3,
      .borderStyle = 5,
      .autoSort = 0,
      .multiColumn = 0,
      .rowSpacing = 1,
      .textColour = 0x00FF8800,
      .backgroundColour = kWhite,
      .multipleSelection = 0,
      .currentSelection = -1,
      .bindingOption = 0,
  });
}

// One row of the table below. The mouse pointer is stored as four bytes
// holding a cursor id, 0 for the default pointer.
struct UnitRow {
  uint32_t id;
  const char* name;
  uint32_t kind;
  uint32_t parent;
  int32_t left, top, width, height;
  uint32_t flags;  // bit 0 visible, bit 2 in the Tab order
  std::vector<uint32_t> children;
  uint32_t mousePointer;
  std::vector<EventBinding> events;
  Bytes block;
};

// The records in table order, which is also the stacking order among
// siblings. Every tab order and event source is 0.
std::vector<UnitRow> MainWindowRows() {
  using namespace unit;
  using namespace unit_kind;
  // clang-format off
  return {
      // id, name, kind, parent, left, top, width, height, flags, children, pointer, events, block
      {kWindowRecord, "", kWindow, 0, 50, 50, 520, 332, 1, {}, 0,
       {{0, kWindowCreated}}, MainWindowBlock()},
      {kKeyMonitorBox, "编辑框_监测按键", kEditBox, 0, 8, 312, 512, 16, 5, {}, 0,
       {{0, kKeyMonitorChanged}}, EditBoxBlock(1, 0, 0, 0, 1)},
      {kDeleteHelpLabel, "透明标签2", kTransparentLabel, kEditingGroup, 360, 14, 40, 16, 1, {}, kHelpCursor,
       {{-1, kShowDeleteHelp}}, HelpLabelBlock("删除")},
      {kFormatHelpLabel, "透明标签1", kTransparentLabel, kEditingGroup, 230, 14, 40, 16, 1, {}, kHelpCursor,
       {{-1, kShowFormatHelp}}, HelpLabelBlock("格式")},
      {kHelpPanel, "画板1", kDrawPanel, kAnnotationGroup, 8, 17, 344, 152, 0, {}, 0,
       {{-1, kHideHelpPanel}}, HelpPanelBlock()},
      {kDeleteButton, "按钮_删除", kButton, kEditingGroup, 401, 14, 88, 21, 5, {}, 0,
       {{0, kDeleteInstruction}}, ButtonBlock("删除")},
      {kModifyButton, "按钮_修改", kButton, kEditingGroup, 269, 14, 88, 21, 5, {}, 0,
       {{0, kModifyAnnotation}}, ButtonBlock("修改")},
      {kAddButton, "按钮_添加", kButton, kEditingGroup, 137, 14, 88, 21, 5, {}, 0,
       {{0, kAddInstruction}}, ButtonBlock("添加")},
      {kCountLabel, "标签_指令个数", kLabel, kEditingGroup, 11, 15, 125, 18, 1, {}, 0,
       {}, LabelBlock("")},
      {kEditingGroup, "分组框4", kGroupBox, 0, 8, 264, 496, 38, 1,
       {kDeleteHelpLabel, kFormatHelpLabel, kDeleteButton, kModifyButton, kAddButton, kCountLabel}, 0,
       {}, GroupBoxBlock(0, "数据操作")},
      {kAnnotationBox, "编辑框_功能", kEditBox, kAnnotationGroup, 7, 16, 339, 147, 5, {}, 0,
       {{-2, kAnnotationButtonReleased}, {-3, kAnnotationDoubleClick}}, EditBoxBlock(3, kLabelBlue, 1, 3, 0)},
      {kAnnotationGroup, "分组框3", kGroupBox, 0, 144, 87, 360, 176, 1, {kHelpPanel, kAnnotationBox}, 0,
       {}, GroupBoxBlock(kCaptionPurple, "指令说明")},
      {kEnterHintLabel, "标签2", kLabel, kQueryGroup, 254, 19, 72, 24, 1, {}, 0,
       {}, LabelBlock("回车找注解")},
      {kQueryHintLabel, "标签1", kLabel, kQueryGroup, 36, 19, 86, 24, 1, {}, 0,
       {}, LabelBlock("输入首拼音查询")},
      {kQueryBox, "编辑框_查询", kEditBox, kQueryGroup, 136, 21, 102, 24, 5, {}, 0,
       {{0, kQueryChanged}, {-9, kQueryKeyDown}, {-3, kQueryDoubleClick}}, {}},
      {kQueryGroup, "分组框2", kGroupBox, 0, 144, 16, 360, 57, 1,
       {kEnterHintLabel, kQueryHintLabel, kQueryBox}, 0,
       {}, GroupBoxBlock(kCaptionPurple, "输入查询")},
      {kInstructionList, "列表框1", kListBox, kListGroup, 8, 16, 104, 224, 5, {}, 0,
       {{0, kInstructionSelected}}, ListBoxBlock()},
      {kListGroup, "分组框1", kGroupBox, 0, 8, 16, 120, 248, 1, {kInstructionList}, 0,
       {}, GroupBoxBlock(kCaptionPurple, "指令集")},
  };
  // clang-format on
}

Bytes MousePointer(uint32_t cursorId) {
  Bytes pointer(4);
  for (int i = 0; i < 4; ++i) {
    pointer[i] = static_cast<uint8_t>(cursorId >> (8 * i));
  }
  return pointer;
}

}  // namespace

std::vector<WindowDescription> MainWindowForm() {
  WindowDescription window;
  window.windowId = kMainWindowId;
  window.secondDword = kMainWindowSecondDword;
  for (UnitRow& row : MainWindowRows()) {
    UnitRecordFields fields;
    fields.kind = row.kind;
    fields.name = row.name;
    fields.left = row.left;
    fields.top = row.top;
    fields.width = row.width;
    fields.height = row.height;
    fields.parent = row.parent;
    fields.children = std::move(row.children);
    fields.mousePointer = MousePointer(row.mousePointer);
    fields.stateFlags = row.flags;
    fields.events = std::move(row.events);
    fields.propertyBlock = std::move(row.block);
    window.table.ids.push_back(row.id);
    window.table.records.push_back(BuildUnitRecord(fields));
  }
  return {window};
}

}  // namespace mnemora::app
