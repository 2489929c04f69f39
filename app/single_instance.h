// Refusing a second running copy: any top-level window titled exactly like
// the main window counts as one.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace mnemora::app {

// Collects the top-level windows whose title equals the window's title;
// when there is more than one (the window itself is one), shows the refusal
// owned by the window and asks it to close. Returns whether it did.
bool CheckSingleInstance(uint32_t windowId);

// The matching titles collected so far.
std::span<const std::string> TitleMatches();

// Forgets them (at program end).
void FreeTitleMatches();

}  // namespace mnemora::app
