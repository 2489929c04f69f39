// The line functions of the instruction table. Lines are GBK bytes; only
// the byte 0x20 separates words (a tab or a full-width space is an ordinary
// byte), and lengths and positions count bytes. An empty result stands for
// the runtime's empty text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mnemora::app {

// The bytes after any leading spaces up to the next space or the end: a
// view into text. Empty for an empty text or one of spaces only.
std::string_view FirstWord(std::string_view text);

// Every word after the first, joined without separator, so spaces inside an
// annotation are dropped. Odd case: a first word that runs to the end of the
// text (no space after it) is returned itself.
std::string WordsAfterFirst(std::string_view text);
// The same, appended to *out.
void AppendWordsAfterFirst(std::string_view text, std::string* out);

// The text with every GB2312 hanzi replaced by the lower-case first letter
// of its reading (PinyinInitialTable); other bytes, and double-byte
// characters without a letter, are copied. A lead byte that ends the text
// is copied. Never longer than text.
std::string PinyinInitials(std::string_view text);
// The same, appended to *out.
void AppendPinyinInitials(std::string_view text, std::string* out);

// Empty when width <= 0; otherwise text followed by copies of fill's first
// byte up to width bytes. A text already width bytes or longer, or an empty
// fill, leaves the text unchanged.
std::string PadRight(std::string_view text, std::string_view fill, int32_t width);

// 1-based byte position of the first occurrence of needle in haystack, or
// -1. Case-sensitive and blind to double-byte characters: a match may begin
// on a trail byte. An empty needle is never found.
int32_t ByteFind(std::string_view haystack, std::string_view needle);

// The offset of the first occurrence of needle in text at or after from,
// or npos: what text.find(needle, from) gives, found faster where needle's
// first byte is common, as a letter is in a block of mnemonics.
size_t FindBytes(std::string_view text, std::string_view needle, size_t from);

// Sorts in place by unsigned byte values; a prefix sorts before the longer
// text, so the empty text comes first in ascending order.
void SortLines(std::span<std::string_view> lines, bool ascending);

}  // namespace mnemora::app
