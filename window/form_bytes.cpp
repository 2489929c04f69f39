#include "window/form_bytes.h"

#include <cstring>

namespace mnemora {

const uint8_t* ByteReader::Take(uint64_t count) {
  if (failed_ || count > Remaining()) {
    failed_ = true;
    return nullptr;
  }
  const uint8_t* bytes = data_ + position_;
  position_ += static_cast<size_t>(count);
  return bytes;
}

uint32_t ByteReader::Dword() {
  const uint8_t* p = Take(4);
  if (p == nullptr) {
    return 0;
  }
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ByteReader::Word() {
  const uint8_t* p = Take(2);
  if (p == nullptr) {
    return 0;
  }
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

Bytes ByteReader::CountedBytes() {
  const int32_t length = SignedDword();
  if (length <= 0) {
    return {};
  }
  const uint8_t* p = Take(static_cast<uint64_t>(length));
  if (p == nullptr) {
    return {};
  }
  return Bytes(p, p + length);
}

std::string ByteReader::CountedText() {
  const Bytes bytes = CountedBytes();
  return std::string(bytes.begin(), bytes.end());
}

std::string ByteReader::ZeroTerminatedText() {
  if (failed_) {
    return {};
  }
  const uint8_t* start = data_ + position_;
  const void* zero = std::memchr(start, 0, Remaining());
  if (zero == nullptr) {
    failed_ = true;
    return {};
  }
  const size_t length = static_cast<size_t>(static_cast<const uint8_t*>(zero) - start);
  position_ += length + 1;
  return std::string(reinterpret_cast<const char*>(start), length);
}

std::vector<std::string> ByteReader::TextList() {
  uint32_t count = Word();
  if (count == 0xFFFF) {
    count = Dword();
  }
  // Every text takes at least its length dword: a larger count cannot be
  // real, and must not reserve memory for it.
  if (failed_ || count > Remaining() / 4) {
    failed_ = true;
    return {};
  }
  std::vector<std::string> texts;
  texts.reserve(count);
  for (uint32_t i = 0; i < count && !failed_; ++i) {
    texts.push_back(CountedText());
  }
  if (failed_) {
    return {};
  }
  return texts;
}

void ByteReader::Skip(uint64_t count, size_t itemSize) {
  if (itemSize != 0 && count > Remaining() / itemSize) {
    failed_ = true;
    return;
  }
  Take(count * itemSize);
}

void ByteWriter::Dword(uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  Raw(bytes, sizeof bytes);
}

void ByteWriter::Word(uint16_t value) {
  const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
  Raw(bytes, sizeof bytes);
}

void ByteWriter::CountedBytes(const Bytes& bytes) {
  Dword(static_cast<uint32_t>(bytes.size()));
  Raw(bytes);
}

void ByteWriter::CountedText(std::string_view text) {
  Dword(static_cast<uint32_t>(text.size()));
  Raw(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void ByteWriter::ZeroTerminatedText(std::string_view text) {
  const std::string_view visible = text.substr(0, text.find('\0'));
  Raw(reinterpret_cast<const uint8_t*>(visible.data()), visible.size());
  Zeros(1);
}

void ByteWriter::TextList(const std::vector<std::string>& texts) {
  if (texts.size() < 0xFFFF) {
    Word(static_cast<uint16_t>(texts.size()));
  } else {
    Word(0xFFFF);
    Dword(static_cast<uint32_t>(texts.size()));
  }
  for (const std::string& text : texts) {
    CountedText(text);
  }
}

void ByteWriter::Raw(const uint8_t* data, size_t length) {
  bytes_.insert(bytes_.end(), data, data + length);
}

void ByteWriter::Zeros(size_t count) {
  bytes_.insert(bytes_.end(), count, 0);
}

}  // namespace mnemora
