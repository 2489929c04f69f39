// The support libraries the program uses, in the order the program's
// library table lists them; application code names a library by its index.
#pragma once

#include "runtime/library_command.h"

namespace mnemora {

namespace library_index {
inline constexpr int32_t kCore = 0;
inline constexpr int32_t kExtendedUi = 1;
inline constexpr int32_t kDataStructure = 2;
inline constexpr int32_t kThread = 3;
inline constexpr int32_t kSpecialFunction = 4;
inline constexpr int32_t kApi = 5;
}  // namespace library_index

inline constexpr uint32_t kSupportLibraryCount = 6;

// The table of library records, core library first. The records belong to
// the libraries themselves and are defined with the commands and unit kinds.
const LibraryInfo* const* SupportLibraryTable();

}  // namespace mnemora
