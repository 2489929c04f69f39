#include "app/instruction_lines.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <iterator>

#include "app/pinyin_initial_table.h"
#include "runtime/gbk_text.h"

namespace mnemora::app {
namespace {

constexpr char kSpace = ' ';

}  // namespace

std::string_view FirstWord(std::string_view text) {
  const size_t start = text.find_first_not_of(kSpace);
  if (start == std::string_view::npos) {
    return {};
  }
  const size_t end = text.find(kSpace, start);
  return text.substr(start, end == std::string_view::npos ? end : end - start);
}

std::string WordsAfterFirst(std::string_view text) {
  std::string words;
  AppendWordsAfterFirst(text, &words);
  return words;
}

void AppendWordsAfterFirst(std::string_view text, std::string* out) {
  const size_t start = text.find_first_not_of(kSpace);
  if (start == std::string_view::npos) {
    return;
  }
  const size_t end = text.find(kSpace, start);
  if (end == std::string_view::npos) {
    out->append(text.substr(start));
    return;
  }
  std::copy_if(text.begin() + static_cast<std::ptrdiff_t>(end), text.end(),
               std::back_inserter(*out), [](char c) { return c != kSpace; });
}

std::string PinyinInitials(std::string_view text) {
  std::string initials;
  initials.reserve(text.size());
  AppendPinyinInitials(text, &initials);
  return initials;
}

void AppendPinyinInitials(std::string_view text, std::string* out) {
  std::string& initials = *out;
  const std::string_view table = PinyinInitialTable();
  size_t i = 0;
  while (i < text.size()) {
    if (!IsLeadByte(text[i])) {
      initials += text[i++];
      continue;
    }
    const auto lead = static_cast<uint8_t>(text[i]);
    if (i + 1 == text.size()) {
      initials += text[i];
      break;
    }
    const auto trail = static_cast<uint8_t>(text[i + 1]);
    const char letter = table[PinyinInitialIndex(lead, trail)];
    if (letter == kSpace) {
      initials.append(text.substr(i, 2));
    } else {
      initials += letter;
    }
    i += 2;
  }
}

std::string PadRight(std::string_view text, std::string_view fill, int32_t width) {
  if (width <= 0) {
    return {};
  }
  std::string padded(text);
  // An empty fill has no first byte: the runtime's empty text is null, and
  // its stand-in zero byte would end the text where the padding starts.
  if (padded.size() < static_cast<size_t>(width) && !fill.empty()) {
    padded.append(static_cast<size_t>(width) - padded.size(), fill.front());
  }
  return padded;
}

int32_t ByteFind(std::string_view haystack, std::string_view needle) {
  if (needle.empty()) {
    return -1;
  }
  const size_t position = haystack.find(needle);
  return position == std::string_view::npos ? -1 : static_cast<int32_t>(position + 1);
}

size_t FindBytes(std::string_view text, std::string_view needle, size_t from) {
  const size_t length = needle.size();
  if (length == 0 || from > text.size() || text.size() - from < length) {
    return text.find(needle, from);
  }
  // Sixteen start positions at a time are tested on the needle's first and
  // last bytes, and only where both agree are the bytes between compared.
  using Block = unsigned char __attribute__((vector_size(16)));
  constexpr size_t kBlock = sizeof(Block);
  const size_t ends = text.size() - length + 1;  // one past the last start
  Block first;
  Block last;
  for (size_t lane = 0; lane < kBlock; ++lane) {
    first[lane] = static_cast<unsigned char>(needle.front());
    last[lane] = static_cast<unsigned char>(needle.back());
  }
  size_t start = from;
  for (; start + kBlock <= ends; start += kBlock) {
    Block atFirst;
    Block atLast;
    std::memcpy(&atFirst, text.data() + start, kBlock);
    std::memcpy(&atLast, text.data() + start + length - 1, kBlock);
    const auto both = (atFirst == first) & (atLast == last);
    uint64_t halves[2];
    std::memcpy(halves, &both, sizeof halves);
    if ((halves[0] | halves[1]) == 0) {
      continue;
    }
    for (size_t lane = 0; lane < kBlock; ++lane) {
      if (both[lane] != 0 && std::memcmp(text.data() + start + lane, needle.data(), length) == 0) {
        return start + lane;
      }
    }
  }
  return text.find(needle, start);
}

void SortLines(std::span<std::string_view> lines, bool ascending) {
  // std::char_traits<char> compares as unsigned char, which puts the GBK
  // lead bytes 0x81..0xFE after ASCII, as the byte order requires.
  if (ascending) {
    std::sort(lines.begin(), lines.end());
  } else {
    std::sort(lines.begin(), lines.end(), std::greater<>());
  }
}

}  // namespace mnemora::app
