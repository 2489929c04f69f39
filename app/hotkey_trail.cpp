#include "app/hotkey_trail.h"

#include "app/instruction_lines.h"

namespace mnemora::app {

bool HotkeyTrail::Note(std::string_view report) {
  for (const std::string_view code : {std::string_view("17"), std::string_view("67")}) {
    if (ByteFind(report, code) != -1) {
      Append(code);
    }
  }
  return trail_.find("1767") != std::string::npos;
}

void HotkeyTrail::Append(std::string_view code) {
  // Only the last code appended can start a "1767": the trail is emptied
  // whenever it holds one, so before an append it is some 67s followed by
  // some 17s. Keeping the last code alone bounds it without changing when it
  // fires.
  if (trail_.size() > code.size()) {
    trail_.erase(0, trail_.size() - code.size());
  }
  trail_ += code;
}

}  // namespace mnemora::app
