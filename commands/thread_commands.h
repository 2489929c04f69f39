// The thread library's thread start.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/arg_value.h"

namespace mnemora {

// The shape of a subroutine a thread starts at: one pointer-sized argument.
using ThreadSubroutine = DWORD(WINAPI*)(void* parameter);

// subroutine pointer, [parameter 0], [handle variable (by reference)] →
// boolean: started. Without the handle variable the handle is closed at
// once; with it, the variable receives the open handle and the caller owns
// it. The thread runs on in both cases.
void StartThread(ArgValue* result, int32_t count, ArgValue* args);

}  // namespace mnemora
