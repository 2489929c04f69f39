// Cutting a GBK text into the pieces between separators, as the split
// command does. Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace mnemora {

// Views into text. A separator is recognised only where a character
// starts, so the second byte of a two-byte character never begins one (a
// lead byte takes the byte after it, even the first byte of a separator).
// An empty piece between two separators is kept; nothing after the last
// separator gives no piece. An empty separator gives the whole text as one
// piece. maximum -1 is unlimited; otherwise at most that many pieces, and
// everything after the last one kept is dropped.
std::vector<std::string_view> SplitPieces(std::string_view text, std::string_view separator,
                                          int64_t maximum = -1);

}  // namespace mnemora
