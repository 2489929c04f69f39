#include "runtime/dll_calls.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/assertion.h"
#include "runtime/error_table.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"

namespace mnemora {
namespace {

HMODULE LoadLibraryByName(const char* fileName) {
  return LoadLibraryA(fileName);
}
FARPROC FindProcAddress(HMODULE module, const char* name) {
  return GetProcAddress(module, name);
}
BOOL ReleaseLibrary(HMODULE module) {
  return FreeLibrary(module);
}

DllLoader g_loader{LoadLibraryByName, FindProcAddress, ReleaseLibrary};

// Searched in this order for declarations without a library name.
constexpr std::array<const char*, 6> kSystemLibraries = {
    "Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll", "Mpr.dll", "Shell32.dll",
};

[[noreturn]] void ReportMissingFunction(const std::string& library, const char* function) {
  char message[1024];
  if (library.empty()) {
    std::snprintf(message, sizeof message, "无法找到指定DLL库文件中的输出命令“%s”", function);
  } else {
    std::snprintf(message, sizeof message, "无法找到指定DLL库文件“%s”中的输出命令“%s”",
                  library.c_str(), function);
  }
  RaiseRuntimeError(message, 0, 0, 0);
}

const char* DeclaredName(const std::vector<const char*>& names, int32_t declaration) {
  if (declaration < 0 || static_cast<size_t>(declaration) >= names.size() ||
      names[static_cast<size_t>(declaration)] == nullptr) {
    return "";
  }
  return names[static_cast<size_t>(declaration)];
}

void* UseCallTarget(RuntimeApp& app, int32_t declaration) {
  const std::string name = app.dllTarget.functionName.empty()
                               ? DeclaredName(app.dll.functionNames, declaration)
                               : app.dllTarget.functionName;
  FARPROC address = FindDllExport(app.dllTarget.module, name.c_str());
  if (address == nullptr) {
    ReportMissingFunction("", name.c_str());
  }
  app.dllTarget = DllCallTarget{};
  return reinterpret_cast<void*>(address);
}

// The program directory first, so that a library shipped beside the program
// wins over a system library of the same name.
HMODULE LoadNamedLibrary(const RuntimeApp& app, const std::string& library) {
  const DllLoader& loader = g_loader;
  if (library.find(':') != std::string::npos) {
    return loader.loadLibrary(library.c_str());
  }
  HMODULE module = loader.loadLibrary((app.programDirectory + "\\" + library).c_str());
  if (module == nullptr && !app.moduleDirectory.empty()) {
    module = loader.loadLibrary((app.moduleDirectory + library).c_str());
  }
  if (module == nullptr) {
    module = loader.loadLibrary(library.c_str());
  }
  return module;
}

// The first system library that has the function stays loaded.
FARPROC SearchSystemLibraries(const char* function, HMODULE* kept) {
  for (const char* library : kSystemLibraries) {
    HMODULE module = g_loader.loadLibrary(library);
    if (module == nullptr) {
      continue;
    }
    if (FARPROC address = FindDllExport(module, function)) {
      *kept = module;
      return address;
    }
    g_loader.freeLibrary(module);
  }
  return nullptr;
}

#if defined(__i386__)
extern "C" uintptr_t CallWithStackCheck(void* function, int32_t wordCount, const uintptr_t* words,
                                        int32_t* stackChanged);
#else
// The 64-bit convention has the caller clean the stack, so a callee cannot
// leave its arguments behind and the depth check always holds. Passing
// more words than the function takes is harmless for the same reason.
using WideCall = uintptr_t (*)(uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t,
                               uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t,
                               uintptr_t, uintptr_t, uintptr_t, uintptr_t);
static_assert(kMaxDllArgumentWords == 16, "WideCall passes sixteen words");
#endif

}  // namespace

void SetDllLoader(const DllLoader& loader) {
  g_loader = loader;
}

BOOL FreeThroughLoader(HMODULE module) {
  return g_loader.freeLibrary(module);
}

const DllLoader& CurrentDllLoader() {
  return g_loader;
}

FARPROC FindDllExport(HMODULE module, const char* name) {
  if (name[0] == '#') {
    const auto ordinal = static_cast<uintptr_t>(std::atoi(name + 1)) & 0xFFFFu;
    return g_loader.getProcAddress(module, reinterpret_cast<const char*>(ordinal));
  }
  return g_loader.getProcAddress(module, name);
}

void* ResolveDllFunction(int32_t declaration) {
  RuntimeApp& app = TheRuntimeApp();
  if (app.dllTarget.module != nullptr) {
    return UseCallTarget(app, declaration);
  }
  const bool inTables =
      declaration >= 0 && static_cast<size_t>(declaration) < app.dll.addresses.size();
  const auto index = static_cast<size_t>(declaration);
  if (inTables && app.dll.addresses[index] != nullptr) {
    return app.dll.addresses[index];
  }
  const char* function = DeclaredName(app.dll.functionNames, declaration);
  const std::string library = DeclaredName(app.dll.libraryNames, declaration);
  HMODULE module = nullptr;
  FARPROC address = nullptr;
  if (library.empty()) {
    address = SearchSystemLibraries(function, &module);
  } else {
    module = LoadNamedLibrary(app, library);
    if (module != nullptr) {
      address = FindDllExport(module, function);
    }
  }
  if (address == nullptr || !inTables) {
    if (module != nullptr) {
      g_loader.freeLibrary(module);
    }
    ReportMissingFunction(library, function);
  }
  app.dll.addresses[index] = reinterpret_cast<void*>(address);
  app.dll.modules[index].Reset(module);
  return app.dll.addresses[index];
}

uintptr_t CallDllFunction(int32_t declaration, int32_t wordCount, const uintptr_t* words) {
  void* function = ResolveDllFunction(declaration);
  // The application code never pushes more words than this.
  MNEMORA_ASSERT(wordCount >= 0 && wordCount <= kMaxDllArgumentWords);
#if defined(__i386__)
  int32_t stackChanged = 0;
  const uintptr_t result = CallWithStackCheck(function, wordCount, words, &stackChanged);
  if (stackChanged != 0) {
    RaiseRuntimeError(ErrorTableMessage(kErrorDllStack), kErrorDllStack, 0, 0);
  }
  return result;
#else
  std::array<uintptr_t, kMaxDllArgumentWords> w{};
  for (int32_t i = 0; i < wordCount; ++i) {
    w[static_cast<size_t>(i)] = words[i];
  }
  return reinterpret_cast<WideCall>(function)(w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8],
                                              w[9], w[10], w[11], w[12], w[13], w[14], w[15]);
#endif
}

}  // namespace mnemora
