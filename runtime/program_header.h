// The record, written when the program is built, that tells the runtime where
// the application's pieces lie. Address fields are pointer-sized, so the
// record is thirteen 32-bit words on the 32-bit build.
#pragma once

#include <cstdint>

#include "runtime/library_command.h"

namespace mnemora {

struct ProgramHeader {
  uint32_t runMode;
  uint32_t reserved;
  uint32_t serial;  // kept increased by one in RuntimeApp
  const void* codeBase;
  const uint8_t* constantStart;
  uint32_t constantLength;  // 0: no constant area
  const uint8_t* formData;
  uint32_t formLength;  // 0: no windows
  uint32_t libraryCount;
  const LibraryInfo* const* libraries;
  uint32_t dllDeclarationCount;
  const char* const* dllLibraryNames;
  const char* const* dllFunctionNames;
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(ProgramHeader) == 52, "thirteen 32-bit words on the 32-bit build");
#endif

}  // namespace mnemora
