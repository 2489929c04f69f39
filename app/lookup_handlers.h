// The look-up handlers that run on the UI thread: a list selection, the
// annotation search on Enter, the double clicks that empty a box, and the
// help pictures.
#pragma once

#include <cstdint>

#include "runtime/event_handler.h"

namespace mnemora::app {

// 列表框1, item selected: the entries whose mnemonic contains the selected one.
HandlerOutcome OnInstructionSelected(int32_t count, const HandlerArg* args);
// 编辑框_查询, key down: Enter lists the entries whose annotation's pinyin
// initials contain the query's; the key goes on either way.
HandlerOutcome OnQueryKeyDown(int32_t count, const HandlerArg* args);
// 编辑框_查询, double click: empties the query, which starts a query.
HandlerOutcome OnQueryDoubleClick(int32_t count, const HandlerArg* args);
// 编辑框_功能, double click: empties the box.
HandlerOutcome OnAnnotationDoubleClick(int32_t count, const HandlerArg* args);
// 透明标签1 and 透明标签2, left button down: a help picture over the box.
HandlerOutcome OnShowFormatHelp(int32_t count, const HandlerArg* args);
HandlerOutcome OnShowDeleteHelp(int32_t count, const HandlerArg* args);
// 画板1, left button down: hides the picture.
HandlerOutcome OnHideHelpPanel(int32_t count, const HandlerArg* args);

}  // namespace mnemora::app
