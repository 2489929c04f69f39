#include "app/instruction_set.h"

#include <string>
#include <string_view>
#include <vector>

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
  std::vector<std::string_view> mnemonics;
  mnemonics.reserve(static_cast<size_t>(table->Count()));
  for (int32_t i = 0; i < table->Count(); ++i) {
    mnemonics.push_back(FirstWord(table->Line(i)));
  }
  AddItems(UnitRef(kInstructionList), mnemonics);
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
