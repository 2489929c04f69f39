// Taking a fuzz input apart: small numbers that choose what to do, and
// byte runs that become the texts and blocks it is done with. Reads past
// the end give zeros and empty runs, so every input is a valid program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <algorithm>
#include <vector>

#include "runtime/assertion.h"

namespace mnemora::fuzz {

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Empty() const { return at_ >= size_; }

  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

  uint32_t Dword() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      value |= static_cast<uint32_t>(Byte()) << (8 * i);
    }
    return value;
  }

  uint64_t Qword() { return Dword() | static_cast<uint64_t>(Dword()) << 32; }

  // A number below count (count > 0).
  uint32_t Choice(uint32_t count) { return Byte() % count; }

  // A run of bytes whose length is given by the next byte.
  std::string Run() {
    const size_t length = std::min<size_t>(Byte(), size_ - std::min(at_, size_));
    std::string run(reinterpret_cast<const char*>(data_ + std::min(at_, size_)), length);
    at_ += length;
    return run;
  }

  // Everything not read yet.
  std::string Rest() {
    const size_t from = std::min(at_, size_);
    at_ = size_;
    return std::string(reinterpret_cast<const char*>(data_ + from), size_ - from);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// A check of the code under test; a failed one is a finding, reported as
// a failed assertion, which ends the run for libFuzzer to record.
inline void Require(bool condition, const char* what) {
  if (!condition) {
    StopOnFailedAssertion(what, __FILE__, __LINE__);
  }
}

}  // namespace mnemora::fuzz
