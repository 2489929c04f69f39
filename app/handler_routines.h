// Numbers of the application's event handlers: the stored form refers to a
// handler by its position in the application's handler table, whose start is
// the code base. -1 is no handler.
#pragma once

#include <cstdint>

namespace mnemora::app {

enum HandlerRoutine : int32_t {
  kNoHandler = -1,
  // Must stay first: the drawing panel's binding refers to the very start of
  // the application's code.
  kHideHelpPanel = 0,         // 画板1, left button pressed
  kWindowCreated,             // main window, event 0
  kKeyMonitorChanged,         // 编辑框_监测按键, content changed
  kShowDeleteHelp,            // 透明标签2, left button pressed
  kShowFormatHelp,            // 透明标签1, left button pressed
  kDeleteInstruction,         // 按钮_删除, clicked
  kModifyAnnotation,          // 按钮_修改, clicked
  kAddInstruction,            // 按钮_添加, clicked
  kAnnotationButtonReleased,  // 编辑框_功能, left button released: does nothing
  kAnnotationDoubleClick,     // 编辑框_功能, double click: empties the box
  kQueryChanged,              // 编辑框_查询, content changed: starts a query
  kQueryKeyDown,              // 编辑框_查询, key pressed: Enter searches annotations
  kQueryDoubleClick,          // 编辑框_查询, double click: empties the query
  kInstructionSelected,       // 列表框1, item selected
  kHandlerRoutineCount
};

}  // namespace mnemora::app
