// The main window's stored form: the one window of the program, its own
// record and its 17 units. Free of <windows.h>: the build also runs it on the
// build machine to produce the embedded bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "window/form_description.h"

namespace mnemora::app {

inline constexpr uint32_t kMainWindowSecondDword = 0x19010003;

// Record ids of the main window.
namespace unit {
inline constexpr uint32_t kWindowRecord = 0x06010000;
inline constexpr uint32_t kKeyMonitorBox = 0x1601023A;    // 编辑框_监测按键
inline constexpr uint32_t kDeleteHelpLabel = 0x160101C2;  // 透明标签2
inline constexpr uint32_t kFormatHelpLabel = 0x160101C1;  // 透明标签1
inline constexpr uint32_t kHelpPanel = 0x160101C0;        // 画板1
inline constexpr uint32_t kDeleteButton = 0x16010170;     // 按钮_删除
inline constexpr uint32_t kModifyButton = 0x1601016E;     // 按钮_修改
inline constexpr uint32_t kAddButton = 0x1601016D;        // 按钮_添加
inline constexpr uint32_t kCountLabel = 0x1601016C;       // 标签_指令个数
inline constexpr uint32_t kEditingGroup = 0x1601016B;     // 分组框4
inline constexpr uint32_t kAnnotationBox = 0x1601008F;    // 编辑框_功能
inline constexpr uint32_t kAnnotationGroup = 0x1601008E;  // 分组框3
inline constexpr uint32_t kEnterHintLabel = 0x1601008B;   // 标签2
inline constexpr uint32_t kQueryHintLabel = 0x1601008C;   // 标签1
inline constexpr uint32_t kQueryBox = 0x1601008D;         // 编辑框_查询
inline constexpr uint32_t kQueryGroup = 0x1601008A;       // 分组框2
inline constexpr uint32_t kInstructionList = 0x16010089;  // 列表框1
inline constexpr uint32_t kListGroup = 0x16010087;        // 分组框1
}  // namespace unit

// The window set holding the main window alone.
std::vector<WindowDescription> MainWindowForm();

}  // namespace mnemora::app
