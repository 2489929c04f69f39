// The instruction file: GBK text, one instruction per CR LF line, in the
// program's directory. Everything here works on a path given by the
// caller, which builds it afresh for every access.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/instruction_table.h"

namespace mnemora::app {

// The program directory followed by "\汇编指令集.txt".
std::string InstructionFilePath();

// The file's text up to its first zero byte; empty when the file is there
// but cannot be read; nothing when there is no file.
std::optional<std::string> ReadInstructionFile(const std::string& path);

// The table of the file at path, or of the default set when there is none.
InstructionTableRef ReadInstructionSet(const std::string& path);

// Every entry of the table followed by CR LF; empty for an empty table.
std::string InstructionFileText(const InstructionTable& table);

// One attempt to replace the file with text; true when it was written. A
// failed attempt leaves the file as it was.
bool WriteInstructionFile(const std::string& path, const std::string& text);

// Writes text to the file, trying again after a pause in which pending
// messages are processed, at most kSaveAttempts times in all (a read-only
// directory never accepts the file). path() is asked before each attempt.
// True when an attempt succeeded.
inline constexpr int kSaveAttempts = 5;
bool SaveInstructionText(const std::function<std::string()>& path, const std::string& text);

}  // namespace mnemora::app
