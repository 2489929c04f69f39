// Searching the instruction table.
#pragma once

#include <string>
#include <string_view>

#include "app/instruction_table.h"
#include "app/work_pacing.h"

namespace mnemora::app {

// The result lines of every entry whose key in field contains needle
// (byte-wise and case-sensitive, anywhere in the key, a match may start on
// a trail byte), in table order; an empty needle matches nothing. Returns
// false, with *result incomplete, when the checkpoint stopped the search.
bool SearchInstructions(const InstructionTable& table, std::string_view needle, SearchField field,
                        const Checkpoint& checkpoint, std::string* result);

}  // namespace mnemora::app
