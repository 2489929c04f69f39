// The pinyin initial table: for every double-byte character, at
// lead * 1000 + trail, the lower-case first letter of the reading of a
// GB2312 hanzi, or a space. Rows are 1000 entries apart; entries 256 to 999
// of a row are never read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mnemora::app {

inline constexpr size_t kPinyinInitialTableSize = 256000;

constexpr size_t PinyinInitialIndex(uint8_t lead, uint8_t trail) {
  return size_t{lead} * 1000 + trail;
}

// All kPinyinInitialTableSize bytes, none of them zero, followed by a zero
// byte, so the table is also a zero-terminated text. Constant data.
std::string_view PinyinInitialTable();

}  // namespace mnemora::app
