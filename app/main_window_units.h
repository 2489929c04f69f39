// The main window's units as the application addresses them: unit
// references for commands and property reads and writes through the entry
// table. Safe from any thread: every operation is carried out on the UI
// thread. Free of <windows.h>.
#pragma once

#include <cstdint>
#include <span>

#include "app/command_calls.h"
#include "app/main_window_form.h"
#include "app/program_header.h"
#include "window/form_description.h"

namespace mnemora::app {

// A unit and its kind (one of unit_kind), the type code of its reference.
struct Unit {
  uint32_t id;
  TypeCode kind;
};

inline constexpr Unit kMainWindow{kMainWindowId, unit_kind::kWindow};
inline constexpr Unit kInstructionList{unit::kInstructionList, unit_kind::kListBox};  // 列表框1
inline constexpr Unit kQueryBox{unit::kQueryBox, unit_kind::kEditBox};  // 编辑框_查询
inline constexpr Unit kAnnotationBox{unit::kAnnotationBox, unit_kind::kEditBox};  // 编辑框_功能
inline constexpr Unit kHelpPanel{unit::kHelpPanel, unit_kind::kDrawPanel};        // 画板1
inline constexpr Unit kCountLabel{unit::kCountLabel, unit_kind::kLabel};  // 标签_指令个数

// Property numbers: 0 to 7 are every kind's, 8 and up the kind's own.
namespace property {
inline constexpr int32_t kVisible = 5;
inline constexpr int32_t kContent = 8;     // edit box
inline constexpr int32_t kCaption = 8;     // label
inline constexpr int32_t kPicture = 10;    // drawing panel: a byte set holding an image file
inline constexpr int32_t kSelection = 16;  // list box: 0-based, -1 for none
}  // namespace property

// Window id in the low value word, unit id in the high one, the kind as type.
ArgValue UnitRef(const Unit& unit);
// The window itself, by its own record, as a window reference.
ArgValue WindowRef(uint32_t windowId = kMainWindowId);

OwnedText ReadTextProperty(const Unit& unit, int32_t number);
int32_t ReadIntegerProperty(const Unit& unit, int32_t number);
// The text is lent: the unit keeps a copy.
void WriteTextProperty(const Unit& unit, int32_t number, const char* text);
void WriteIntegerProperty(const Unit& unit, int32_t number, int32_t value);
void WriteBooleanProperty(const Unit& unit, int32_t number, bool value);
// The bytes go as a byte set made for the write and freed after it.
void WriteBytesProperty(const Unit& unit, int32_t number, std::span<const uint8_t> bytes);

// False once the window has closed, for instance while a handler processed
// messages: its units then must not be written.
bool MainWindowOpen();

}  // namespace mnemora::app
