#include "app/lookup_handlers.h"

#include <span>
#include <string>

#include "app/command_calls.h"
#include "app/help_pictures.h"
#include "app/instruction_lines.h"
#include "app/instruction_search.h"
#include "app/instruction_table.h"
#include "app/main_window_units.h"
#include "app/newest_action.h"
#include "app/work_pacing.h"
#include "window/units/list_box_methods.h"

namespace mnemora::app {
namespace {

constexpr int32_t kEnterKey = 13;

// A search on the UI thread runs to its end, letting the window process its
// messages at every checkpoint.
std::string SearchOnUiThread(std::string_view needle, SearchField field) {
  // Held here: a reload run by a message processed at a checkpoint publishes
  // a new table and leaves this one whole.
  const InstructionTableRef table = CurrentInstructionTable();
  std::string result;
  SearchInstructions(*table, needle, field, ProcessEventsCheckpoint, &result);
  return result;
}

void ShowHelpPicture(std::span<const uint8_t> picture) {
  WriteBooleanProperty(kHelpPanel, property::kVisible, true);
  WriteBytesProperty(kHelpPanel, property::kPicture, picture);
}

}  // namespace

HandlerOutcome OnInstructionSelected(int32_t, const HandlerArg*) {
  const uint32_t action = BeginAction();
  const int32_t selection = ReadIntegerProperty(kInstructionList, property::kSelection);
  const OwnedText item(
      CallCore(GetItemText, {UnitRef(kInstructionList), ArgValue::Integer(selection)}));
  const std::string result = SearchOnUiThread(item.View(), SearchField::kMnemonic);
  if (MayShowResultOf(action)) {
    WriteTextProperty(kAnnotationBox, property::kContent, result.c_str());
    WriteBooleanProperty(kHelpPanel, property::kVisible, false);
  }
  return {};
}

HandlerOutcome OnQueryKeyDown(int32_t count, const HandlerArg* args) {
  if (count < 1 || args[0].value.AsInt32() != kEnterKey) {
    return {};
  }
  const uint32_t action = BeginAction();
  const OwnedText query = ReadTextProperty(kQueryBox, property::kContent);
  const std::string result =
      SearchOnUiThread(PinyinInitials(query.View()), SearchField::kAnnotation);
  if (MayShowResultOf(action)) {
    WriteTextProperty(kAnnotationBox, property::kContent, result.c_str());
  }
  return {};
}

HandlerOutcome OnQueryDoubleClick(int32_t, const HandlerArg*) {
  // The content write raises the box's change event, which starts the
  // (newest) empty query.
  WriteTextProperty(kQueryBox, property::kContent, "");
  return {};
}

HandlerOutcome OnAnnotationDoubleClick(int32_t, const HandlerArg*) {
  BeginAction();
  WriteTextProperty(kAnnotationBox, property::kContent, "");
  return {};
}

HandlerOutcome OnShowFormatHelp(int32_t, const HandlerArg*) {
  ShowHelpPicture(FormatHelpPicture());
  return {};
}

HandlerOutcome OnShowDeleteHelp(int32_t, const HandlerArg*) {
  ShowHelpPicture(DeleteHelpPicture());
  return {};
}

HandlerOutcome OnHideHelpPanel(int32_t, const HandlerArg*) {
  WriteBooleanProperty(kHelpPanel, property::kVisible, false);
  return {};
}

}  // namespace mnemora::app
