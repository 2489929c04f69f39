// The list box unit kind: a native list control with its selection rules,
// colours and events, and the item operations behind the list box methods.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "runtime/unit_type_descriptor.h"

namespace mnemora {

extern const UnitTypeDescriptor kListBoxDescriptor;

// The item operations act on the native control's items (not on the
// stored item list). Each is safe from any thread: it runs whole on the UI
// thread. A window that is not a list box unit's has no items, and neither
// has any once the windows are gone.

void ClearListItems(HWND listBox);
// The new item's index (its sorted place with auto sort), or -1 when the
// control refuses it.
int32_t AddListItem(HWND listBox, const char* text, int32_t data);
// Adds the texts in order, each as AddListItem adds it with data 0, in one
// go: a long run costs little more than its items. The number added; the
// run stops at the first item the control refuses.
int32_t AddListItems(HWND listBox, std::span<const std::string_view> texts);
int32_t ListItemCount(HWND listBox);
// The empty text for an index outside the items.
std::string ListItemText(HWND listBox, int32_t index);
bool IsListItemSelected(HWND listBox, int32_t index);

}  // namespace mnemora
