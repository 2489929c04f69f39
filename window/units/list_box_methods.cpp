#include "window/units/list_box_methods.h"

#include <string>

#include "runtime/heap_blocks.h"
#include "runtime/ui_thread_channel.h"
#include "window/unit_reference.h"
#include "window/units/list_box.h"

namespace mnemora {
namespace {

// The list box the first argument names, or null.
HWND ListBoxOf(int32_t count, const ArgValue* args) {
  return count >= 1 ? ResolveUnitWindow(args[0]) : nullptr;
}

// A left-out or non-numeric argument counts as 0.
int32_t IntegerArgument(int32_t count, const ArgValue* args, int32_t position) {
  return position < count && IsNumericType(args[position].type) ? ToInteger(&args[position]) : 0;
}

void ClearItemsHere(ArgValue*, int32_t count, ArgValue* args) {
  if (HWND listBox = ListBoxOf(count, args)) {
    ClearListItems(listBox);
  }
}

void AddItemHere(ArgValue* result, int32_t count, ArgValue* args) {
  HWND listBox = ListBoxOf(count, args);
  const char* text = count >= 2 && args[1].type == type_code::kText ? args[1].AsText() : nullptr;
  *result = ArgValue::Integer(
      listBox != nullptr ? AddListItem(listBox, text, IntegerArgument(count, args, 2)) : -1);
}

void GetItemCountHere(ArgValue* result, int32_t count, ArgValue* args) {
  HWND listBox = ListBoxOf(count, args);
  *result = ArgValue::Integer(listBox != nullptr ? ListItemCount(listBox) : 0);
}

void GetItemTextHere(ArgValue* result, int32_t count, ArgValue* args) {
  HWND listBox = ListBoxOf(count, args);
  const std::string text =
      listBox != nullptr ? ListItemText(listBox, IntegerArgument(count, args, 1)) : std::string();
  *result = ArgValue::Text(MakeText(text.data(), text.size()));
}

void IsItemSelectedHere(ArgValue* result, int32_t count, ArgValue* args) {
  HWND listBox = ListBoxOf(count, args);
  *result = ArgValue::Boolean(listBox != nullptr &&
                              IsListItemSelected(listBox, IntegerArgument(count, args, 1)));
}

}  // namespace

void ClearItems(ArgValue* result, int32_t count, ArgValue* args) {
  RunUnitCommand(ClearItemsHere, result, count, args);
}

void AddItem(ArgValue* result, int32_t count, ArgValue* args) {
  RunUnitCommand(AddItemHere, result, count, args);
}

void GetItemCount(ArgValue* result, int32_t count, ArgValue* args) {
  RunUnitCommand(GetItemCountHere, result, count, args);
}

void GetItemText(ArgValue* result, int32_t count, ArgValue* args) {
  RunUnitCommand(GetItemTextHere, result, count, args);
}

void IsItemSelected(ArgValue* result, int32_t count, ArgValue* args) {
  RunUnitCommand(IsItemSelectedHere, result, count, args);
}

int32_t AddItems(const ArgValue& listBox, std::span<const std::string_view> texts) {
  int32_t added = 0;
  RunOnUiThread([&] {
    if (HWND window = ResolveUnitWindow(listBox)) {
      added = AddListItems(window, texts);
    }
  });
  return added;
}

}  // namespace mnemora
