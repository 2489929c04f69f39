#include "bench/synthetic_instructions.h"

#include <cstdio>
#include <string_view>

namespace mnemora::bench {
namespace {

// Eighteen level-1 hanzi, two GBK bytes each.
constexpr std::string_view kHanzi = "传送加减乘除比较移位存取调整转跳循环";
static_assert(kHanzi.size() == 18 * 2, "18 double-byte characters");

// A small fixed-seed generator: the same file for the same count on every
// machine.
uint32_t NextRandom(uint32_t* state) {
  *state = *state * 1664525u + 1013904223u;
  return *state >> 8;
}

}  // namespace

std::string SyntheticMnemonic(int32_t k) {
  char mnemonic[16];
  std::snprintf(mnemonic, sizeof mnemonic, "M%06d", static_cast<int>(k));
  return mnemonic;
}

std::string SyntheticLine(int32_t k) {
  std::string line = SyntheticMnemonic(k);
  line += "    ";
  uint32_t state = static_cast<uint32_t>(k) * 2654435761u + 1u;
  for (int i = 0; i < 8; ++i) {
    line += kHanzi.substr(NextRandom(&state) % 18 * 2, 2);
  }
  char reference[16];
  std::snprintf(reference, sizeof reference, " R%06u", NextRandom(&state) % 1000000u);
  line += reference;
  return line;
}

std::string SyntheticInstructionText(int32_t count) {
  std::string text;
  text.reserve(static_cast<size_t>(count) * 40);
  for (int32_t k = 0; k < count; ++k) {
    text += SyntheticLine(k);
    text += "\r\n";
  }
  return text;
}

}  // namespace mnemora::bench
