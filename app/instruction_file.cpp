#include "app/instruction_file.h"

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

std::optional<std::string> ReadInstructionFile(const std::string& path) {
  if (!FileIsThere(path)) {
    return std::nullopt;
  }
  const OwnedByteSet bytes(CallCore(ReadWholeFile, {TextArg(path)}));
  return std::string(OwnedText(CallCore(ToText, {bytes.Arg()})).View());
}

InstructionTableRef ReadInstructionSet(const std::string& path) {
  std::optional<std::string> text = ReadInstructionFile(path);
  return MakeInstructionTable(text ? std::move(*text) : std::string(DefaultInstructionText()));
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
