#include "app/query_worker.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <utility>

#include "app/command_calls.h"
#include "app/instruction_search.h"
#include "app/instruction_table.h"
#include "app/main_window_units.h"
#include "app/newest_action.h"
#include "commands/thread_commands.h"
#include "runtime/support_libraries.h"
#include "runtime/ui_thread_channel.h"
#include "runtime/win_handles.h"
#include "window/units/edit_box_methods.h"
#include "window/units/list_box_methods.h"

namespace mnemora::app {
namespace {

// What the UI thread hands the newest query's worker. A worker finds its
// job by its query number; a worker whose job was replaced before it
// started has nothing to do.
struct QueryJob {
  uint32_t query = 0;
  std::string needle;
  InstructionTableRef table;
};

std::mutex g_jobLock;
QueryJob g_job;

std::atomic<int32_t> g_runningWorkers{0};

// Tests that must act while a query is provably still pending start the
// program with MNEMORA_QUERY_HOLD naming an event of theirs: each worker
// then waits, before it searches, until the event is set or a newer action
// supersedes it. Without the variable nothing waits.
HANDLE QueryHold() {
  static const UniqueKernelHandle hold = [] {
    char name[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("MNEMORA_QUERY_HOLD", name, sizeof name);
    return UniqueKernelHandle(
        length > 0 && length < sizeof name ? OpenEventA(SYNCHRONIZE, FALSE, name) : nullptr);
  }();
  return hold.Get();
}

void WaitWhileHeld(uint32_t query) {
  constexpr DWORD kSupersededCheckMs = 10;
  HANDLE hold = QueryHold();
  while (hold != nullptr && IsNewestAction(query) &&
         WaitForSingleObject(hold, kSupersededCheckMs) == WAIT_TIMEOUT) {
  }
}

bool TakeJob(uint32_t query, QueryJob* job) {
  std::lock_guard lock(g_jobLock);
  if (g_job.query != query) {
    return false;
  }
  *job = std::move(g_job);
  g_job = QueryJob{};
  return true;
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

// On the UI thread: a result that a newer action overtook is dropped (once
// the window is closing the channel has dropped it already).
void ShowQueryResult(uint32_t query, const std::string& needle, const std::string& result) {
  if (!IsNewestAction(query)) {
    return;
  }
  CallCore(AppendText, {UnitRef(kAnnotationBox), TextArg(result)});
  SelectExactMnemonic(needle);
}

DWORD WINAPI RunQuery(void* parameter) {
  const auto query = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parameter));
  QueryJob job;
  WaitWhileHeld(query);
  if (TakeJob(query, &job)) {
    std::string result;
    const bool finished = SearchInstructions(
        *job.table, job.needle, SearchField::kMnemonic, [query] { return IsNewestAction(query); },
        &result);
    if (finished && IsNewestAction(query)) {
      // Once the window is gone the channel drops it.
      PostToUiThread([query, needle = std::move(job.needle), result = std::move(result)] {
        ShowQueryResult(query, needle, result);
      });
    }
  }
  --g_runningWorkers;
  return 0;
}

}  // namespace

HandlerOutcome OnQueryChanged(int32_t, const HandlerArg*) {
  const uint32_t query = BeginAction();
  WriteTextProperty(kAnnotationBox, property::kContent, "");
  WriteBooleanProperty(kHelpPanel, property::kVisible, false);
  std::string needle =
      UpperCased(std::string(ReadTextProperty(kQueryBox, property::kContent).View()));
  {
    std::lock_guard lock(g_jobLock);
    g_job = QueryJob{query, std::move(needle), CurrentInstructionTable()};
  }
  ++g_runningWorkers;
  const bool started =
      CallLibrary(
          StartThread, library_index::kThread,
          {ArgValue::Pointer(reinterpret_cast<const void*>(&RunQuery), type_code::kSubroutine),
           ArgValue::Integer(static_cast<int32_t>(query))})
          .low != 0;
  if (!started) {
    --g_runningWorkers;
  }
  return {};
}

void StopQueryWorkers() {
  BeginAction();
  {
    std::lock_guard lock(g_jobLock);
    g_job = QueryJob{};
  }
  while (g_runningWorkers.load() > 0) {
    Sleep(1);
  }
}

}  // namespace mnemora::app
