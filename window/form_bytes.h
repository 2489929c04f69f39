// The little-endian primitives of the stored form: dwords, words, counted
// bytes and texts, zero-terminated texts and text lists. Free of <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mnemora {

using Bytes = std::vector<uint8_t>;

// Reads from a byte range it never leaves. The first read that would run past
// the end, or a count that cannot fit in what is left, puts the reader in the
// failed state: that read and every later one yield zero or empty values.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t length) : data_(data), length_(length) {}
  explicit ByteReader(const Bytes& bytes) : ByteReader(bytes.data(), bytes.size()) {}

  uint32_t Dword();
  int32_t SignedDword() { return static_cast<int32_t>(Dword()); }
  uint16_t Word();
  // A length of 0 or less is empty and consumes only its four bytes.
  Bytes CountedBytes();
  std::string CountedText();
  // The text without its terminating zero, which must lie inside the range.
  std::string ZeroTerminatedText();
  // A word count, or 0xFFFF followed by a dword count, then counted texts.
  std::vector<std::string> TextList();
  // Skips count items of itemSize bytes each.
  void Skip(uint64_t count, size_t itemSize = 1);

  bool Failed() const { return failed_; }
  // True when nothing failed and every byte has been read.
  bool Finished() const { return !failed_ && position_ == length_; }
  size_t Position() const { return position_; }
  size_t Remaining() const { return length_ - position_; }

 private:
  // The next count bytes, or null (and the failed state) when fewer are left.
  const uint8_t* Take(uint64_t count);

  const uint8_t* data_;
  size_t length_;
  size_t position_ = 0;
  bool failed_ = false;
};

class ByteWriter {
 public:
  void Dword(uint32_t value);
  void SignedDword(int32_t value) { Dword(static_cast<uint32_t>(value)); }
  void Word(uint16_t value);
  void CountedBytes(const Bytes& bytes);
  void CountedText(std::string_view text);
  // Writes the text up to its first zero byte, then a zero.
  void ZeroTerminatedText(std::string_view text);
  // Counts of 0xFFFF and more are written as 0xFFFF and a dword.
  void TextList(const std::vector<std::string>& texts);
  void Raw(const uint8_t* data, size_t length);
  void Raw(const Bytes& bytes) { Raw(bytes.data(), bytes.size()); }
  void Zeros(size_t count);

  const Bytes& bytes() const { return bytes_; }
  Bytes Take() { return std::move(bytes_); }

 private:
  Bytes bytes_;
};

}  // namespace mnemora
