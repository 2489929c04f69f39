#include "app/skin.h"

#include <cstring>

#include "app/command_calls.h"
#include "app/program_header.h"
#include "commands/file_system_commands.h"
#include "commands/text_commands.h"
#include "runtime/entry_table.h"

namespace mnemora::app {
namespace {

std::string g_skinLibraryPath;

bool FileFound(const std::string& path) {
  return CallCore(FileExists, {TextArg(path)}).low != 0;
}

std::string RunDirectory() {
  return std::string(OwnedText(CallCore(GetRunDirectory, {})).View());
}

struct ByteSetHeader {
  uint32_t one;
  uint32_t count;
};

}  // namespace

std::string SystemDirectoryPath() {
  // 255 spaces and the terminating zero, as the declared call is given.
  char buffer[256];
  std::memset(buffer, ' ', 255);
  buffer[255] = '\0';
  const uintptr_t words[] = {reinterpret_cast<uintptr_t>(buffer), 255};
  kEntryTable.CallDllFunction(dll::kGetSystemDirectory, 2, words);
  std::string directory(buffer);
  if (directory.empty() || directory.back() != '\\') {
    directory += '\\';
  }
  return directory;
}

void ResolveSkinPath(std::string_view path) {
  g_skinLibraryPath = OwnedText(CallCore(TrimSpaces, {TextArg(std::string(path))})).View();
  if (FileFound(g_skinLibraryPath)) {
    return;
  }
  const std::string besideProgram = RunDirectory() + "\\" + kSkinLibraryName;
  if (FileFound(besideProgram)) {
    g_skinLibraryPath = besideProgram;
  }
  const std::string inSystem = SystemDirectoryPath() + kSkinLibraryName;
  if (FileFound(inSystem)) {
    g_skinLibraryPath = inSystem;
  }
}

const std::string& SkinLibraryPath() {
  return g_skinLibraryPath;
}

bool SkinLibraryReady() {
  return FileFound(g_skinLibraryPath) &&
         CallCore(SelectDllFunction, {TextArg(g_skinLibraryPath), TextArg("SkinH_AttachRes")})
                 .low != 0;
}

bool AttachSkin(const void* skinByteSet, std::string_view text, int32_t a, int32_t b, int32_t c) {
  if (!SkinLibraryReady()) {
    return false;
  }
  ByteSetHeader header;
  std::memcpy(&header, skinByteSet, sizeof header);
  const std::string textCopy(text);
  const uintptr_t words[] = {
      reinterpret_cast<uintptr_t>(static_cast<const uint8_t*>(skinByteSet) + sizeof header),
      header.count,
      text.empty() ? 0 : reinterpret_cast<uintptr_t>(textCopy.c_str()),
      static_cast<uintptr_t>(a),
      static_cast<uintptr_t>(b),
      static_cast<uintptr_t>(c),
  };
  const auto result =
      static_cast<int32_t>(kEntryTable.CallDllFunction(dll::kSkinAttachResource, 6, words));
  CallCore(SelectDllFunction, {});
  return result == 0;
}

void FreeSkinPath() {
  g_skinLibraryPath = std::string();
}

}  // namespace mnemora::app
