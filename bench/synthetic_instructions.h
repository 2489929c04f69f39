// Synthetic instruction files of any size for the end-to-end benchmark.
// Line k (0-based): "M" and k in six digits, four spaces, eight hanzi drawn
// from a set of 18, a space, "R" and six digits; GBK, each line followed by
// CR LF. The lines come in ascending byte order with distinct mnemonics, so
// every line is an entry and entry k is line k.
#pragma once

#include <cstdint>
#include <string>

namespace mnemora::bench {

// Six digits hold at most this many distinct mnemonics.
inline constexpr int32_t kMaxSyntheticEntries = 1000000;

// "M" and k in six digits.
std::string SyntheticMnemonic(int32_t k);
// Line k without its CR LF.
std::string SyntheticLine(int32_t k);
// Lines 0 to count - 1, each with CR LF.
std::string SyntheticInstructionText(int32_t count);

}  // namespace mnemora::bench
