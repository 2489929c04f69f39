// The built-in instruction set, written out when the instruction file is
// missing.
#pragma once

#include <string_view>

namespace mnemora::app {

// The 399 default lines as GBK bytes, each followed by CR LF, in ascending
// byte order with distinct mnemonics; followed by a zero byte, so the view
// is also a zero-terminated text. Constant data.
std::string_view DefaultInstructionText();

}  // namespace mnemora::app
