#include "app/handler_table.h"

#include <array>

#include "app/edit_handlers.h"
#include "app/handler_routines.h"
#include "app/key_monitor.h"
#include "app/lookup_handlers.h"
#include "app/query_worker.h"
#include "app/window_creation.h"

namespace mnemora::app {
namespace {

// A null routine is a binding without a handler: the event goes on as if
// nothing were bound.
constexpr auto kRoutines = std::to_array<EventHandler>({
    OnHideHelpPanel,          // kHideHelpPanel
    OnWindowCreated,          // kWindowCreated
    OnKeyMonitorChanged,      // kKeyMonitorChanged
    OnShowDeleteHelp,         // kShowDeleteHelp
    OnShowFormatHelp,         // kShowFormatHelp
    OnDeleteInstruction,      // kDeleteInstruction
    OnModifyAnnotation,       // kModifyAnnotation
    OnAddInstruction,         // kAddInstruction
    nullptr,                  // kAnnotationButtonReleased: bound, and does nothing
    OnAnnotationDoubleClick,  // kAnnotationDoubleClick
    OnQueryChanged,           // kQueryChanged
    OnQueryKeyDown,           // kQueryKeyDown
    OnQueryDoubleClick,       // kQueryDoubleClick
    OnInstructionSelected,    // kInstructionSelected
});
// A missing entry would shift every later handler onto the wrong number.
static_assert(kRoutines.size() == kHandlerRoutineCount, "one entry per handler routine number");

constexpr HandlerTable kTable = {static_cast<uint32_t>(kRoutines.size()), kRoutines.data()};

}  // namespace

const HandlerTable& MainWindowHandlers() {
  return kTable;
}

}  // namespace mnemora::app
