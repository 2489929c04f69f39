// The core library's file and system commands: the run directory, whole
// files, the clipboard, message boxes, pauses, pending messages and the
// choice of a DLL function for the next DLL call.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/arg_value.h"

// windows.h names a macro MessageBox; the command keeps its own name.
#undef MessageBox

namespace mnemora {

// Libraries SelectDllFunction keeps loaded; the oldest goes first.
inline constexpr size_t kMaxSelectedLibraries = 20;

// → text: the program's directory, without a trailing backslash.
void GetRunDirectory(ArgValue* result, int32_t count, ArgValue* args);
// path → boolean: something matches it; wildcards match, directories count.
void FileExists(ArgValue* result, int32_t count, ArgValue* args);
// path → byte set: the whole file; empty when it cannot be read.
void ReadWholeFile(ArgValue* result, int32_t count, ArgValue* args);
// path, byte sets... → boolean: written. The bytes go to a temporary file
// beside the target, which then replaces the target, so a failure part-way
// leaves the old file whole. A read-only target, or one another program
// holds open, is refused and left unchanged.
void WriteWholeFile(ArgValue* result, int32_t count, ArgValue* args);
// → text: the clipboard's text, empty when there is none.
void GetClipboardText(ArgValue* result, int32_t count, ArgValue* args);
// content, [flags 0], [caption "信息："], [owner window or handle] → integer:
// the button pressed, OK 0, Cancel 1, Abort 2, Retry 3, Ignore 4, Yes 5,
// No 6. Task-modal unless system-modal is asked for.
void MessageBox(ArgValue* result, int32_t count, ArgValue* args);
// milliseconds: sleeps without processing messages; negative is 0.
void Delay(ArgValue* result, int32_t count, ArgValue* args);
// Dispatches the queued messages; a WM_QUIT stays queued.
void ProcessEvents(ArgValue* result, int32_t count, ArgValue* args);
// [library file], [function name or "#ordinal"] → boolean. On success the
// next DLL call, whatever its declaration, goes to that function (or to
// the declaration's own name in that library when no name is given).
void SelectDllFunction(ArgValue* result, int32_t count, ArgValue* args);

}  // namespace mnemora
