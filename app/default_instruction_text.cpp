#include "app/default_instruction_text.h"

#include <cstdint>

namespace mnemora::app {
namespace {

// app/data/default_instructions.txt, converted to GBK with CR LF line ends
// by the build.
constexpr uint8_t kBytes[] = {
#include "default_instructions.inc"
    0};

}  // namespace

std::string_view DefaultInstructionText() {
  return {reinterpret_cast<const char*>(kBytes), sizeof kBytes - 1};
}

}  // namespace mnemora::app
