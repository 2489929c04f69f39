// Calling functions of outside DLLs by their declaration number.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/win_handles.h"

namespace mnemora {

// How libraries are loaded and searched; replaceable so that tests can see
// every load and look-up.
struct DllLoader {
  HMODULE (*loadLibrary)(const char* fileName);
  FARPROC (*getProcAddress)(HMODULE module, const char* nameOrOrdinal);
  BOOL (*freeLibrary)(HMODULE module);
};

void SetDllLoader(const DllLoader& loader);
const DllLoader& CurrentDllLoader();

// Releases a module through the current loader: the one that loaded it,
// since the loader is replaced (by tests) only while no module is held.
BOOL FreeThroughLoader(HMODULE module);
using LoadedModule = UniqueHandle<HMODULE, NullInvalidTraits<HMODULE, FreeThroughLoader>>;

// Turns declaration i into a function address, loading its library on the
// first call; a function that cannot be found is a run-time error. A set
// call target is used (and cleared) instead of the declaration.
void* ResolveDllFunction(int32_t declaration);

// Entry slot 2: resolves the declaration and calls the function with the
// given argument words, first argument first. A function that leaves its
// arguments on the stack is run-time error 6.
uintptr_t CallDllFunction(int32_t declaration, int32_t wordCount, const uintptr_t* words);

// GetProcAddress by name, or by ordinal for a name of the form "#N" (the
// low 16 bits of N).
FARPROC FindDllExport(HMODULE module, const char* name);

// Most argument words a DLL call can pass.
inline constexpr int32_t kMaxDllArgumentWords = 16;

}  // namespace mnemora
