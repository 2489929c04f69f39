// The instruction file: GBK text, one instruction per CR LF line, in the
// program's directory. Everything here works on a path given by the
// caller, which builds it afresh for every access.
#pragma once

#include <functional>
#include <string>

#include "app/instruction_table.h"

namespace mnemora::app {

// The program directory followed by "\汇编指令集.txt".
std::string InstructionFilePath();

// What reading the instruction file found: its text up to the first zero
// byte; no file; or a file that is there with bytes that could not be read
// (held without read sharing, no permission, too large).
enum class FileFound { kRead, kMissing, kUnreadable };
struct InstructionFileContent {
  FileFound found = FileFound::kMissing;
  std::string text;  // empty unless kRead
};
InstructionFileContent ReadInstructionFile(const std::string& path);

// The table of the file at path: of the default set when there is none, an
// empty one when the file could not be read.
struct LoadedInstructions {
  InstructionTableRef table;
  FileFound found = FileFound::kMissing;
};
LoadedInstructions ReadInstructionSet(const std::string& path);

// Every entry of the table followed by CR LF; empty for an empty table.
std::string InstructionFileText(const InstructionTable& table);

// One attempt to replace the file with text; true when it was written. A
// failed attempt leaves the file as it was.
bool WriteInstructionFile(const std::string& path, const std::string& text);

// Where an edit keeps the bytes the file had before it replaced them.
std::string BackupFilePath(const std::string& path);

// An edit's write: the file replaced by text, its previous bytes kept in
// BackupFilePath(path); while the new text is not in place the old bytes
// keep at least one of the two names. A missing file is simply written.
// False, with both files as they were, when the file is read-only or held,
// or when the text or the backup cannot be written.
bool ReplaceInstructionFile(const std::string& path, const std::string& text);

// Writes text to the file, trying again after a pause in which pending
// messages are processed, at most kSaveAttempts times in all (a read-only
// directory never accepts the file). path() is asked before each attempt.
// True when an attempt succeeded.
inline constexpr int kSaveAttempts = 5;
bool SaveInstructionText(const std::function<std::string()>& path, const std::string& text);

}  // namespace mnemora::app
