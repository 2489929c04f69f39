// The memory behind the global Ctrl+C: which of the key codes 17 (Ctrl) and
// 67 (C) the key reports have shown since the last look-up. Free of
// <windows.h>.
#pragma once

#include <string>
#include <string_view>

namespace mnemora::app {

class HotkeyTrail {
 public:
  // Looks for "17" and then "67" anywhere in the key report, so a name or
  // another code holding those digits counts too (F6 is 117), and appends
  // each found. Returns whether the trail now holds "1767".
  bool Note(std::string_view report);
  void Clear() { trail_.clear(); }
  std::string_view View() const { return trail_; }

 private:
  void Append(std::string_view code);
  std::string trail_;
};

}  // namespace mnemora::app
