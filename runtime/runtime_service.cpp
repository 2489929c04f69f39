#include "runtime/runtime_service.h"

#include <windows.h>

#include "runtime/default_icons.h"
#include "runtime/end_program.h"
#include "runtime/heap_blocks.h"
#include "runtime/idle_callbacks.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"
#include "runtime/window_system_hooks.h"

namespace mnemora {
namespace {

template <typename T>
T* As(intptr_t parameter) {
  return reinterpret_cast<T*>(parameter);
}

int32_t Int(intptr_t parameter) {
  return static_cast<int32_t>(parameter);
}

intptr_t UnitKindClass(uint32_t kind) {
  const UnitTypeDescriptor* descriptor = ResolveUnitKind(kind);
  if (descriptor == nullptr) {
    return 0;
  }
  if ((descriptor->stateFlags & 0x4) != 0) {
    return 2;
  }
  return (descriptor->stateFlags & 0x40) != 0 ? 1 : 0;
}

void AllowEvents() {
  RuntimeApp& app = TheRuntimeApp();
  int32_t current = app.eventSuppression.load();
  while (current > 0 && !app.eventSuppression.compare_exchange_weak(current, current - 1)) {
  }
}

}  // namespace

intptr_t RuntimeService(int32_t code, intptr_t parameter1, intptr_t parameter2) {
  namespace rs = runtime_service;
  RuntimeApp& app = TheRuntimeApp();
  switch (code) {
    case rs::kDefaultIcons:
      GetDefaultIcons(As<HICON>(parameter1));
      return 0;
    case rs::kAddIdleCallback: {
      const intptr_t* words = As<intptr_t>(parameter1);
      AddIdleCallback(reinterpret_cast<HWND>(words[0]), reinterpret_cast<IdleCallback>(words[1]),
                      words[2]);
      return 0;
    }
    case rs::kRemoveIdleCallback:
      RemoveIdleCallback(reinterpret_cast<HWND>(parameter1));
      return 0;
    case rs::kToInteger:
      return ToInteger(As<const ArgValue>(parameter1));
    case rs::kProgramDirectory:
      return reinterpret_cast<intptr_t>(app.programDirectory.c_str());
    case rs::kProgramFileName:
      return reinterpret_cast<intptr_t>(app.programFileName.c_str());
    case rs::kSuppressEvents:
      ProcessPendingMessages();
      ++app.eventSuppression;
      return 0;
    case rs::kAllowEvents:
      ProcessPendingMessages();
      AllowEvents();
      return 0;
    case rs::kProcessPendingMessages:
      ProcessPendingMessages();
      return 0;
    case rs::kFreeArray:
      FreeArray(static_cast<TypeCode>(parameter1), As<void>(parameter2));
      return 0;
    case rs::kAllocate:
      return reinterpret_cast<intptr_t>(parameter2 != 0 ? MemAllocQuiet(Int(parameter1))
                                                        : MemAlloc(Int(parameter1)));
    case rs::kFree:
      MemFree(As<void>(parameter1));
      return 0;
    case rs::kReallocate:
      return reinterpret_cast<intptr_t>(MemRealloc(As<void>(parameter1), Int(parameter2)));
    case rs::kRaiseError:
      RaiseRuntimeError(As<const char>(parameter1), 0, 0, 0);
    case rs::kEndProgram:
      EndProgram(Int(parameter1));
      return 0;
    case rs::kUnitKindClass:
      return UnitKindClass(static_cast<uint32_t>(parameter1));
    case rs::kRunMode:
      return static_cast<intptr_t>(app.runMode);
    default: {
      bool handled = false;
      const intptr_t result = CurrentWindowSystem().service(code, parameter1, parameter2, &handled);
      return handled ? result : 0;
    }
  }
}

}  // namespace mnemora
