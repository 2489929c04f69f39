#include "app/instruction_lines.h"

#include <algorithm>
#include <cstddef>
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
