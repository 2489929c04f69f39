#include "commands/file_system_commands.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

#include "commands/command_args.h"
#include "commands/value_text.h"
#include "runtime/dll_calls.h"
#include "runtime/heap_blocks.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_app.h"
#include "runtime/win_handles.h"
#include "window/unit_reference.h"

namespace mnemora {
namespace {

struct FindHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { FindClose(h); }
};
using UniqueFindHandle = UniqueHandle<HANDLE, FindHandleTraits>;

// The clipboard stays open for the life of the object.
class OpenedClipboard {
 public:
  OpenedClipboard() : open_(OpenClipboard(nullptr) != 0) {}
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (open_) {
      CloseClipboard();
    }
  }
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory)
      : memory_(memory), data_(static_cast<const char*>(GlobalLock(memory))) {}
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  ~LockedGlobal() {
    if (data_ != nullptr) {
      GlobalUnlock(memory_);
    }
  }
  const char* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  const char* data_;
};

void* ReadFileBytes(const char* path) {
  if (*path == '\0') {
    return nullptr;
  }
  UniqueKernelHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  // A byte set's block, header included, must be within what the heap can
  // be asked for.
  constexpr int64_t kLargest = std::numeric_limits<int32_t>::max() - 8;
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
      size.QuadPart > kLargest) {
    return nullptr;
  }
  const auto length = static_cast<uint32_t>(size.QuadPart);
  auto* block = static_cast<uint8_t*>(MemAlloc(static_cast<int32_t>(length + 8)));
  DWORD read = 0;
  if (!ReadFile(file.Get(), block + 8, length, &read, nullptr) || read == 0) {
    MemFree(block);
    return nullptr;
  }
  const uint32_t header[2] = {1, read};
  std::memcpy(block, header, sizeof header);
  return block;
}

// The byte sets after the path, in argument order.
bool WriteByteSets(HANDLE file, int32_t count, const ArgValue* args) {
  for (int32_t i = 1; i < count; ++i) {
    if (args[i].type != type_code::kByteSet) {
      continue;  // only a byte set's block may be read as one
    }
    const void* set = args[i].AsPointer();
    const uint8_t* bytes = ByteSetBytes(set);
    uint32_t left = ByteSetSize(set);
    while (left > 0) {
      DWORD written = 0;
      if (!WriteFile(file, bytes, left, &written, nullptr) || written == 0) {
        return false;
      }
      bytes += written;
      left -= written;
    }
  }
  return true;
}

// Whether creating the file over the target would be allowed: Windows
// refuses a read-only file, a directory, and a file that anyone holds
// open, since the write shares nothing. The attribute is checked here
// because not every platform layer enforces it for a privileged user.
bool TargetAcceptsWrite(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return true;  // nothing there yet
  }
  if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }
  UniqueKernelHandle probe(
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(probe);
}

// A new file named after the target, in the target's directory, so that
// the final rename never crosses volumes.
UniqueKernelHandle CreateTemporaryBeside(const char* path, std::string* temporaryPath) {
  static std::atomic<unsigned> serial{0};
  for (int attempt = 0; attempt < 8; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%lx-%x.tmp", GetCurrentProcessId(), serial++);
    *temporaryPath = std::string(path) + suffix;
    UniqueKernelHandle file(CreateFileA(temporaryPath->c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || GetLastError() != ERROR_FILE_EXISTS) {
      return file;
    }
  }
  return UniqueKernelHandle();
}

bool WriteReplacing(const char* path, int32_t count, const ArgValue* args) {
  std::string temporaryPath;
  UniqueKernelHandle temporary = CreateTemporaryBeside(path, &temporaryPath);
  if (!temporary) {
    // Nowhere to put a temporary file: write over the target itself.
    UniqueKernelHandle target(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    return target && WriteByteSets(target.Get(), count, args) && FlushFileBuffers(target.Get());
  }
  const bool written =
      WriteByteSets(temporary.Get(), count, args) && FlushFileBuffers(temporary.Get());
  temporary.Reset();
  if (written && MoveFileExA(temporaryPath.c_str(), path,
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(temporaryPath.c_str());
  return false;
}

char* ClipboardText() {
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) {
    return nullptr;
  }
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data == nullptr) {
    return nullptr;
  }
  LockedGlobal locked(data);
  if (locked.Data() == nullptr) {
    return nullptr;
  }
  // Bounded by the block, in case the data lacks its terminator.
  return MakeText(locked.Data(), strnlen(locked.Data(), GlobalSize(data)));
}

// MessageBoxA's answers IDOK to IDNO, renumbered from 0.
constexpr std::array<int, 7> kPressedButtons = {
    IDOK,      // 0
    IDCANCEL,  // 1
    IDABORT,   // 2
    IDRETRY,   // 3
    IDIGNORE,  // 4
    IDYES,     // 5
    IDNO,      // 6
};

int32_t ButtonNumber(int pressed) {
  const auto found = std::find(kPressedButtons.begin(), kPressedButtons.end(), pressed);
  return found != kPressedButtons.end() ? static_cast<int32_t>(found - kPressedButtons.begin()) : 0;
}

// A window reference names its native window; an integer is a window
// handle, whose 32 significant bits are sign-extended on 64-bit.
HWND OwnerWindow(const ArgValue& owner) {
  if (owner.type == type_code::kWindowReference) {
    return ResolveUnitWindow(owner);
  }
  if (owner.type == type_code::kInteger) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(owner.AsInt32()));
  }
  return nullptr;
}

bool SameFullPath(const std::string& a, const char* b) {
  return lstrcmpiA(a.c_str(), b) == 0;
}

bool SelectTarget(RuntimeApp& app, const char* library, const char* function) {
  char fullPath[MAX_PATH];
  const DWORD length = GetFullPathNameA(library, sizeof fullPath, fullPath, nullptr);
  if (length == 0 || length >= sizeof fullPath) {
    return false;
  }
  auto& cache = app.selectedLibraries;
  const auto cached = std::find_if(cache.rbegin(), cache.rend(), [&](const SelectedLibrary& s) {
    return SameFullPath(s.fullPath, fullPath);
  });
  LoadedModule loaded;
  HMODULE module = nullptr;
  const bool loadedNow = cached == cache.rend();
  if (loadedNow) {
    if (cache.size() >= kMaxSelectedLibraries) {
      cache.erase(cache.begin());
    }
    loaded.Reset(CurrentDllLoader().loadLibrary(fullPath));
    if (!loaded) {
      return false;
    }
    module = loaded.Get();
  } else {
    module = cached->module.Get();
  }
  if (*function != '\0' && FindDllExport(module, function) == nullptr) {
    return false;
  }
  app.dllTarget = DllCallTarget{module, function};
  if (loadedNow) {
    cache.push_back(SelectedLibrary{fullPath, std::move(loaded)});
  }
  return true;
}

}  // namespace

void GetRunDirectory(ArgValue* result, int32_t, ArgValue*) {
  *result = ArgValue::Text(MakeText(TheRuntimeApp().programDirectory.c_str()));
}

void FileExists(ArgValue* result, int32_t count, ArgValue* args) {
  const char* path = TextOf(ArgAt(count, args, 0));
  bool exists = false;
  if (*path != '\0') {
    WIN32_FIND_DATAA found;
    exists = static_cast<bool>(UniqueFindHandle(FindFirstFileA(path, &found)));
  }
  *result = ArgValue::Boolean(exists);
}

void ReadWholeFile(ArgValue* result, int32_t count, ArgValue* args) {
  *result = ArgValue::ByteSet(ReadFileBytes(TextOf(ArgAt(count, args, 0))));
}

void WriteWholeFile(ArgValue* result, int32_t count, ArgValue* args) {
  const char* path = TextOf(ArgAt(count, args, 0));
  *result = ArgValue::Boolean(*path != '\0' && TargetAcceptsWrite(path) &&
                              WriteReplacing(path, count, args));
}

void GetClipboardText(ArgValue* result, int32_t, ArgValue*) {
  *result = ArgValue::Text(ClipboardText());
}

void MessageBox(ArgValue* result, int32_t count, ArgValue* args) {
  const std::string content = ScalarValueText(ArgAt(count, args, 0));
  const ArgValue caption = ArgAt(count, args, 2);
  UINT style = ArgAt(count, args, 1).low;
  if ((style & MB_SYSTEMMODAL) == 0) {
    style |= MB_TASKMODAL;
  }
  const HWND owner = count >= 4 ? OwnerWindow(args[3]) : nullptr;
  const int pressed =
      MessageBoxA(owner, content.c_str(), IsGiven(caption) ? TextOf(caption) : "信息：", style);
  *result = ArgValue::Integer(ButtonNumber(pressed));
}

void Delay(ArgValue*, int32_t count, ArgValue* args) {
  const int32_t milliseconds = ArgAt(count, args, 0).AsInt32();
  Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

void ProcessEvents(ArgValue*, int32_t, ArgValue*) {
  ProcessPendingMessages();
}

void SelectDllFunction(ArgValue* result, int32_t count, ArgValue* args) {
  RuntimeApp& app = TheRuntimeApp();
  app.dllTarget = DllCallTarget{};
  const ArgValue library = ArgAt(count, args, 0);
  const ArgValue function = ArgAt(count, args, 1);
  const char* libraryName = IsGiven(library) ? TextOf(library) : "";
  const char* functionName = IsGiven(function) ? TextOf(function) : "";
  *result = ArgValue::Boolean(*libraryName == '\0' || SelectTarget(app, libraryName, functionName));
}

}  // namespace mnemora
