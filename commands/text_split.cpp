#include "commands/text_split.h"

#include "runtime/gbk_text.h"

namespace mnemora {

std::vector<std::string_view> SplitPieces(std::string_view text, std::string_view separator,
                                          int64_t maximum) {
  std::vector<std::string_view> pieces;
  if (text.empty() || maximum == 0) {
    return pieces;
  }
  if (separator.empty()) {
    pieces.push_back(text);
    return pieces;
  }
  size_t start = 0;
  size_t scan = 0;
  while (text.size() - scan >= separator.size()) {
    if (text.compare(scan, separator.size(), separator) == 0) {
      pieces.push_back(text.substr(start, scan - start));
      scan += separator.size();
      start = scan;
      if (maximum != -1 && --maximum == 0) {
        return pieces;
      }
    } else if (IsLeadByte(text[scan])) {
      if (scan + 1 == text.size()) {
        break;
      }
      scan += 2;
    } else {
      ++scan;
    }
  }
  if (start < text.size()) {
    pieces.push_back(text.substr(start));
  }
  return pieces;
}

}  // namespace mnemora
