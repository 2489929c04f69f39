#include "app/instruction_search.h"

#include <algorithm>

#include "app/instruction_lines.h"

namespace mnemora::app {

bool SearchInstructions(const InstructionTable& table, std::string_view needle, SearchField field,
                        const Checkpoint& checkpoint, std::string* result) {
  result->clear();
  // A text never holds a zero byte, so such a needle is in no key; in the
  // joined keys it could match across the separator.
  if (needle.empty() || needle.find('\0') != std::string_view::npos) {
    return true;
  }
  const JoinedTexts& keys = table.Keys(field);
  const std::string_view bytes = keys.bytes;
  const size_t count = keys.ends.size();
  // One scan of the joined keys per slice; a hit names its entry through
  // the key ends, and the scan goes on after that entry's key.
  for (size_t first = 0; first < count; first += kEntriesPerCheckpoint) {
    const size_t last = std::min(count, first + kEntriesPerCheckpoint);
    size_t from = first == 0 ? 0 : keys.ends[first - 1] + 1;
    const size_t sliceEnd = keys.ends[last - 1];
    while (from < sliceEnd) {
      const size_t hit = FindBytes(bytes.substr(0, sliceEnd), needle, from);
      if (hit == std::string_view::npos) {
        break;
      }
      const auto entry = static_cast<size_t>(
          std::upper_bound(keys.ends.begin() + static_cast<std::ptrdiff_t>(first),
                           keys.ends.begin() + static_cast<std::ptrdiff_t>(last), hit) -
          keys.ends.begin());
      table.AppendResultLine(static_cast<int32_t>(entry), result);
      from = keys.ends[entry] + 1;
    }
    if (!checkpoint()) {
      return false;
    }
  }
  return true;
}

}  // namespace mnemora::app
