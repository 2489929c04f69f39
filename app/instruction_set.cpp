#include "app/instruction_set.h"

#include <string>

#include "app/command_calls.h"
#include "app/instruction_file.h"
#include "app/instruction_lines.h"
#include "app/instruction_table.h"
#include "app/main_window_units.h"
#include "commands/file_system_commands.h"
#include "commands/text_commands.h"
#include "window/units/list_box_methods.h"

namespace mnemora::app {

void LoadInstructionSet() {
  const InstructionTableRef table = ReadInstructionSet(InstructionFilePath());
  // Published before anything below can process messages, so a query
  // worker never sees a list that belongs to another table.
  PublishInstructionTable(table);
  // Filled while hidden: a visible list box updates its scroll bar at
  // every item added, which for a long list costs far more than the items.
  WriteBooleanProperty(kInstructionList, property::kVisible, false);
  for (int32_t i = 0; i < table->Count(); ++i) {
    const std::string mnemonic(FirstWord(table->Line(i)));
    CallCore(AddItem, {UnitRef(kInstructionList), TextArg(mnemonic)});
  }
  WriteBooleanProperty(kInstructionList, property::kVisible, true);
  if (CallCore(FileExists, {TextArg(InstructionFilePath())}).low == 0) {
    SaveInstructionSet();
  }
  const OwnedText count(CallCore(ToText, {ArgValue::Integer(table->Count())}));
  const std::string caption = std::string("共有：") + count.CStr() + "条汇编指令！";
  WriteTextProperty(kCountLabel, property::kCaption, caption.c_str());
}

void SaveInstructionSet() {
  SaveInstructionText(InstructionFilePath, InstructionFileText(*CurrentInstructionTable()));
}

void FreeInstructionSet() {
  // An empty table, not none: a query worker may still be running.
  PublishInstructionTable(EmptyInstructionTable());
}

}  // namespace mnemora::app
