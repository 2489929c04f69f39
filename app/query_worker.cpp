#include "app/query_worker.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>

#include "app/command_calls.h"
#include "app/instruction_search.h"
#include "app/instruction_table.h"
#include "app/main_window_units.h"
#include "app/work_pacing.h"
#include "commands/thread_commands.h"
#include "runtime/support_libraries.h"
#include "window/units/edit_box_methods.h"
#include "window/units/list_box_methods.h"

namespace mnemora::app {
namespace {

// The number of the newest query; each worker is handed its own.
std::atomic<uint32_t> g_newestQuery{0};

// Held by a worker from its newest-query check to the end of the unit
// writes that follow it, so that a superseded worker can never write after
// the newest one has begun. Only workers take it: the UI thread, which
// carries out their unit operations, never waits for it.
std::mutex g_unitWrites;

bool IsNewest(uint32_t query) {
  return g_newestQuery.load() == query;
}

// Makes the exact mnemonic the list's selection, unless it is selected
// already; writing the selection raises no event. The item is found through
// the table's index and checked against the list, which a reload may have
// refilled since; then the list itself is searched.
void SelectExactMnemonic(const std::string& query) {
  const ArgValue list = UnitRef(kInstructionList);
  int32_t item = CurrentInstructionTable()->FindMnemonic(query);
  if (item < 0) {
    return;
  }
  const auto itemIs = [&](int32_t k) {
    return OwnedText(CallCore(GetItemText, {list, ArgValue::Integer(k)})).View() == query;
  };
  if (!itemIs(item)) {
    const int32_t count = CallCore(GetItemCount, {list}).AsInt32();
    item = -1;
    for (int32_t k = 0; k < count && item < 0; ++k) {
      if (itemIs(k)) {
        item = k;
      }
    }
  }
  if (item >= 0 && CallCore(IsItemSelected, {list, ArgValue::Integer(item)}).low == 0) {
    WriteIntegerProperty(kInstructionList, property::kSelection, item);
  }
}

DWORD WINAPI RunQuery(void* parameter) {
  const auto query = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parameter));
  std::unique_lock lock(g_unitWrites);
  if (!IsNewest(query)) {
    return 0;
  }
  WriteTextProperty(kAnnotationBox, property::kContent, "");
  WriteBooleanProperty(kHelpPanel, property::kVisible, false);
  const std::string needle =
      UpperCased(std::string(ReadTextProperty(kQueryBox, property::kContent).View()));
  lock.unlock();

  // The worker's own reference keeps the table alive through any reload.
  const InstructionTableRef table = CurrentInstructionTable();
  std::string result;
  const bool finished = SearchInstructions(
      *table, needle, SearchField::kMnemonic,
      [query] { return ProcessEventsCheckpoint() && IsNewest(query); }, &result);

  lock.lock();
  if (!finished || !IsNewest(query)) {
    return 0;
  }
  CallCore(AppendText, {UnitRef(kAnnotationBox), TextArg(result)});
  SelectExactMnemonic(needle);
  return 0;
}

}  // namespace

HandlerOutcome OnQueryChanged(int32_t, const HandlerArg*) {
  const uint32_t query = ++g_newestQuery;
  CallLibrary(StartThread, library_index::kThread,
              {ArgValue::Pointer(reinterpret_cast<const void*>(&RunQuery), type_code::kSubroutine),
               ArgValue::Integer(static_cast<int32_t>(query))});
  return {};
}

}  // namespace mnemora::app
