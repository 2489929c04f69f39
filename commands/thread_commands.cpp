#include "commands/thread_commands.h"

#include "commands/command_args.h"
#include "runtime/win_handles.h"

namespace mnemora {

void StartThread(ArgValue* result, int32_t count, ArgValue* args) {
  const auto subroutine = reinterpret_cast<ThreadSubroutine>(ArgAt(count, args, 0).AsPointer());
  const ArgValue parameter = ArgAt(count, args, 1);
  const ArgValue handleVariable = ArgAt(count, args, 2);
  *result = ArgValue::Boolean(false);
  if (subroutine == nullptr) {
    return;
  }
  // Both value words: an address kept in an integer is whole on 64-bit.
  UniqueKernelHandle thread(
      CreateThread(nullptr, 0, subroutine, parameter.AsPointer(), 0, nullptr));
  if (!thread) {
    return;
  }
  if (IsGiven(handleVariable) && handleVariable.AsPointer() != nullptr) {
    // Kernel handles carry 32 significant bits on both builds, so the
    // integer variable holds the handle whole.
    *static_cast<int32_t*>(handleVariable.AsPointer()) =
        static_cast<int32_t>(reinterpret_cast<intptr_t>(thread.Release()));
  }
  *result = ArgValue::Boolean(true);
}

}  // namespace mnemora
