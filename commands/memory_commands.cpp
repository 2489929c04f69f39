#include "commands/memory_commands.h"

#include <cstring>

#include "commands/command_args.h"
#include "runtime/runtime_service.h"

namespace mnemora {

void AllocateMemory(ArgValue* result, int32_t count, ArgValue* args) {
  const int32_t size = ArgAt(count, args, 0).AsInt32();
  const ArgValue zeroFill = ArgAt(count, args, 1);
  void* block = nullptr;
  if (size > 0) {
    // The quiet request: a failure is the result 0, not a report.
    block = reinterpret_cast<void*>(RuntimeService(runtime_service::kAllocate, size, 1));
  }
  if (block != nullptr && zeroFill.type == type_code::kBoolean && zeroFill.low != 0) {
    std::memset(block, 0, static_cast<size_t>(size));
  }
  *result = ArgValue::Pointer(block, type_code::kInteger);
}

}  // namespace mnemora
