// The list box methods, called as library commands whose first argument is
// the list box's unit reference. A reference that names no live list box
// gives the results of an empty list: nothing, -1, 0, the empty text, false.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/arg_value.h"

namespace mnemora {

// No further arguments; no result.
void ClearItems(ArgValue* result, int32_t count, ArgValue* args);
// Item text, optional item data (integer, 0 when left out) -> index or -1.
void AddItem(ArgValue* result, int32_t count, ArgValue* args);
// -> integer.
void GetItemCount(ArgValue* result, int32_t count, ArgValue* args);
// 0-based index -> a new text, empty outside the items.
void GetItemText(ArgValue* result, int32_t count, ArgValue* args);
// 0-based index -> boolean, false outside the items.
void IsItemSelected(ArgValue* result, int32_t count, ArgValue* args);

// Not a library command: how a caller of ours adds a long run of items.
// Each text is added as AddItem adds it without data, in order, to the
// list box the reference names; the number added (0 for no live list box).
int32_t AddItems(const ArgValue& listBox, std::span<const std::string_view> texts);

}  // namespace mnemora
