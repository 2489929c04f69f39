#include "app/instruction_file.h"

#include <windows.h>

#include "app/command_calls.h"
#include "app/default_instruction_text.h"
#include "app/work_pacing.h"
#include "commands/file_system_commands.h"
#include "commands/text_commands.h"

namespace mnemora::app {
namespace {

constexpr int32_t kSaveRetryPauseMs = 100;

bool FileIsThere(const std::string& path) {
  return CallCore(FileExists, {TextArg(path)}).low != 0;
}

}  // namespace

std::string InstructionFilePath() {
  const OwnedText directory(CallCore(GetRunDirectory, {}));
  return std::string(directory.View()) + "\\汇编指令集.txt";
}

InstructionFileContent ReadInstructionFile(const std::string& path) {
  if (!FileIsThere(path)) {
    return {FileFound::kMissing, {}};
  }
  const OwnedByteSet bytes(CallCore(ReadWholeFile, {TextArg(path)}));
  if (bytes.Empty()) {
    // The command gives the same empty result for an empty file and for one
    // it could not read; only the first may be rewritten from an empty table.
    WIN32_FILE_ATTRIBUTE_DATA data;
    const bool empty = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
                       data.nFileSizeLow == 0 && data.nFileSizeHigh == 0;
    return {empty ? FileFound::kRead : FileFound::kUnreadable, {}};
  }
  return {FileFound::kRead, std::string(OwnedText(CallCore(ToText, {bytes.Arg()})).View())};
}

LoadedInstructions ReadInstructionSet(const std::string& path) {
  InstructionFileContent content = ReadInstructionFile(path);
  std::string text = content.found == FileFound::kMissing ? std::string(DefaultInstructionText())
                                                          : std::move(content.text);
  return {MakeInstructionTable(std::move(text)), content.found};
}

std::string InstructionFileText(const InstructionTable& table) {
  std::string text;
  for (int32_t i = 0; i < table.Count(); ++i) {
    text += table.Line(i);
    text += "\r\n";
  }
  return text;
}

bool WriteInstructionFile(const std::string& path, const std::string& text) {
  const OwnedByteSet bytes(CallCore(ToByteSet, {TextArg(text)}));
  return CallCore(WriteWholeFile, {TextArg(path), bytes.Arg()}).low != 0;
}

std::string BackupFilePath(const std::string& path) {
  return path + ".bak";
}

bool ReplaceInstructionFile(const std::string& path, const std::string& text) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    // Nothing there to keep.
    return GetLastError() == ERROR_FILE_NOT_FOUND && WriteInstructionFile(path, text);
  }
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return false;
  }
  // The new text goes beside the file first, so that the swap below is all
  // that can fail half-way, and it keeps the old bytes under one of the names.
  const std::string next = path + ".new";
  if (!WriteInstructionFile(next, text)) {
    return false;
  }
  if (ReplaceFileA(path.c_str(), next.c_str(), BackupFilePath(path).c_str(), 0, nullptr, nullptr)) {
    return true;
  }
  DeleteFileA(next.c_str());
  return false;
}

bool SaveInstructionText(const std::function<std::string()>& path, const std::string& text) {
  for (int attempt = 1; attempt <= kSaveAttempts; ++attempt) {
    if (WriteInstructionFile(path(), text)) {
      return true;
    }
    if (attempt < kSaveAttempts) {
      ProcessEventsCheckpoint();
      CallCore(Delay, {ArgValue::Integer(kSaveRetryPauseMs)});
    }
  }
  return false;
}

}  // namespace mnemora::app
