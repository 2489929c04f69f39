// The three buttons of 分组框4: add an instruction, modify an annotation,
// delete an instruction. Each writes the whole file once, reloads the list
// and reports success in 编辑框_功能. An add without a mnemonic, and a modify
// or delete without a selected item, do nothing and report nothing.
#pragma once

#include <cstdint>

#include "runtime/event_handler.h"

namespace mnemora::app {

HandlerOutcome OnAddInstruction(int32_t count, const HandlerArg* args);
HandlerOutcome OnModifyAnnotation(int32_t count, const HandlerArg* args);
HandlerOutcome OnDeleteInstruction(int32_t count, const HandlerArg* args);

}  // namespace mnemora::app
