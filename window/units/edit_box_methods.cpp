#include "window/units/edit_box_methods.h"

#include "window/unit_reference.h"
#include "window/units/edit_box.h"

namespace mnemora {

namespace {

void AppendTextHere(ArgValue*, int32_t count, ArgValue* args) {
  HWND editBox = count >= 1 ? ResolveUnitWindow(args[0]) : nullptr;
  if (editBox == nullptr) {
    return;
  }
  for (int32_t i = 1; i < count; ++i) {
    if (args[i].type == type_code::kText) {
      AppendToEditBox(editBox, args[i].AsText());
    }
  }
}

}  // namespace

void AppendText(ArgValue* result, int32_t count, ArgValue* args) {
  RunUnitCommand(AppendTextHere, result, count, args);
}

}  // namespace mnemora
