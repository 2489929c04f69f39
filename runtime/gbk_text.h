// The two facts about GBK text that every text operation of the system
// shares. There is no code-page table: the high bit alone marks the first
// byte of a two-byte character. Free of <windows.h>.
#pragma once

namespace mnemora {

constexpr bool IsLeadByte(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

// The two bytes of a character are the full-width space 0xA1A1.
constexpr bool IsFullWidthSpace(char first, char second) {
  return static_cast<unsigned char>(first) == 0xA1 && static_cast<unsigned char>(second) == 0xA1;
}

}  // namespace mnemora
