#include "app/edit_handlers.h"

#include <string>

#include "app/command_calls.h"
#include "app/instruction_edits.h"
#include "app/instruction_file.h"
#include "app/instruction_set.h"
#include "app/instruction_table.h"
#include "app/main_window_units.h"
#include "app/newest_action.h"
#include "app/work_pacing.h"
#include "window/units/list_box_methods.h"

namespace mnemora::app {
namespace {

const EditPacing kProcessEvents = [] { ProcessEventsCheckpoint(); };

OwnedText AnnotationBoxText() {
  return ReadTextProperty(kAnnotationBox, property::kContent);
}

// The text of the selected list item; empty when nothing is selected.
std::string SelectedMnemonic() {
  const int32_t selection = ReadIntegerProperty(kInstructionList, property::kSelection);
  if (selection < 0) {
    return {};
  }
  return std::string(
      OwnedText(CallCore(GetItemText, {UnitRef(kInstructionList), ArgValue::Integer(selection)}))
          .View());
}

// One write, no retry, keeping the previous file as its backup; the list
// is rebuilt from whatever the file holds afterwards, and success is
// reported only when the write succeeded.
void FinishEdit(uint32_t action, const std::string& fileText, const char* message) {
  // The window may have closed while the text was built: then there is no
  // list to reload and no box for the message, and the file stays as it was.
  if (!MainWindowOpen()) {
    return;
  }
  const bool written = ReplaceInstructionFile(InstructionFilePath(), fileText);
  CallCore(ClearItems, {UnitRef(kInstructionList)});
  LoadInstructionSet();
  if (written && IsNewestAction(action)) {
    WriteTextProperty(kAnnotationBox, property::kContent, message);
  }
}

void AddInstruction() {
  const OwnedText box = AnnotationBoxText();
  const std::string mnemonic = NewMnemonic(box.View());
  if (mnemonic.empty() || !EnsureInstructionSetRead()) {
    return;
  }
  const std::string line = InstructionLine(mnemonic, EditedAnnotation(box.View()));
  const uint32_t action = BeginAction();
  const InstructionTableRef table = CurrentInstructionTable();
  FinishEdit(action, AddedFileText(*table, line, kProcessEvents), "亲：添加汇编指令成功！");
}

void ModifyAnnotation() {
  const std::string mnemonic = SelectedMnemonic();
  if (mnemonic.empty() || !EnsureInstructionSetRead()) {
    return;
  }
  const std::string annotation = EditedAnnotation(AnnotationBoxText().View());
  const uint32_t action = BeginAction();
  const InstructionTableRef table = CurrentInstructionTable();
  FinishEdit(action, ModifiedFileText(*table, mnemonic, annotation, kProcessEvents),
             "亲：修改注解成功！");
}

void DeleteInstruction() {
  const std::string mnemonic = SelectedMnemonic();
  if (mnemonic.empty() || !EnsureInstructionSetRead()) {
    return;
  }
  const uint32_t action = BeginAction();
  const InstructionTableRef table = CurrentInstructionTable();
  FinishEdit(action, DeletedFileText(*table, mnemonic, kProcessEvents), "亲：删除汇编指令成功！");
}

// An edit processes messages while it builds its text. A second edit begun
// there would build from the same old table, and the first would then write
// over its result; so a click that arrives while an edit runs is ignored.
HandlerOutcome OneEditAtATime(void (*edit)()) {
  static bool editRunning = false;
  if (!editRunning) {
    editRunning = true;
    edit();
    editRunning = false;
  }
  return {};
}

}  // namespace

HandlerOutcome OnAddInstruction(int32_t, const HandlerArg*) {
  return OneEditAtATime(AddInstruction);
}

HandlerOutcome OnModifyAnnotation(int32_t, const HandlerArg*) {
  return OneEditAtATime(ModifyAnnotation);
}

HandlerOutcome OnDeleteInstruction(int32_t, const HandlerArg*) {
  return OneEditAtATime(DeleteInstruction);
}

}  // namespace mnemora::app
