#include "app/instruction_set.h"

#include <string>

#include "app/command_calls.h"
#include "app/instruction_file.h"
#include "app/instruction_lines.h"
#include "app/instruction_table.h"
#include "app/main_window_units.h"
#include "commands/text_commands.h"
#include "window/units/list_box_methods.h"

namespace mnemora::app {

namespace {

// Whether the current table holds what the file held (or the default set
// for a missing file). An existing file that could not be read leaves the
// table empty, and an edit written from that would wipe the file. Touched
// on the UI thread only.
bool tableRead = false;

}  // namespace

void LoadInstructionSet() {
  const LoadedInstructions loaded = ReadInstructionSet(InstructionFilePath());
  const InstructionTableRef& table = loaded.table;
  tableRead = loaded.found != FileFound::kUnreadable;
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
  if (loaded.found == FileFound::kMissing) {
    SaveInstructionSet();
  }
  const OwnedText count(CallCore(ToText, {ArgValue::Integer(table->Count())}));
  const std::string caption = std::string("共有：") + count.CStr() + "条汇编指令！";
  WriteTextProperty(kCountLabel, property::kCaption, caption.c_str());
}

bool EnsureInstructionSetRead() {
  if (!tableRead) {
    CallCore(ClearItems, {UnitRef(kInstructionList)});
    LoadInstructionSet();
  }
  return tableRead;
}

void SaveInstructionSet() {
  SaveInstructionText(InstructionFilePath, InstructionFileText(*CurrentInstructionTable()));
}

void FreeInstructionSet() {
  // An empty table, not none: a query worker may still be running.
  PublishInstructionTable(EmptyInstructionTable());
}

}  // namespace mnemora::app
