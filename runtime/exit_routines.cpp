#include "runtime/exit_routines.h"

#include <algorithm>

namespace mnemora {

void RegisterExitRoutine(ExitRoutine routine) {
  auto& routines = TheRuntimeApp().exitRoutines;
  if (routine != nullptr &&
      std::find(routines.begin(), routines.end(), routine) == routines.end()) {
    routines.push_back(routine);
  }
}

}  // namespace mnemora
