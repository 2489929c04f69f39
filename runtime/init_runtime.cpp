#include "runtime/init_runtime.h"

#include <windows.h>
#include <ole2.h>

#include "runtime/heap_blocks.h"
#include "runtime/hide_owner.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_service.h"
#include "runtime/ui_thread_channel.h"
#include "runtime/window_system_hooks.h"

namespace mnemora {
namespace {

void* HeapAllocate(size_t size) {
  return HeapAlloc(TheRuntimeApp().heap, 0, size);
}
void* HeapReallocate(void* block, size_t size) {
  return HeapReAlloc(TheRuntimeApp().heap, 0, block, size);
}
void HeapRelease(void* block) {
  HeapFree(TheRuntimeApp().heap, 0, block);
}

void SplitProgramPath(RuntimeApp& app) {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string full = path;
  const size_t slash = full.find_last_of('\\');
  if (slash == std::string::npos) {
    app.programDirectory.clear();
    app.programFileName = full;
  } else {
    app.programDirectory = full.substr(0, slash);
    app.programFileName = full.substr(slash + 1);
  }
  // Not checked: with an empty directory this fails and the current
  // directory stays as it was.
  SetCurrentDirectoryA(app.programDirectory.c_str());
}

void FillDllTables(RuntimeApp& app, const ProgramHeader& header) {
  const size_t count = header.dllDeclarationCount;
  app.dll.libraryNames.assign(count, nullptr);
  app.dll.functionNames.assign(count, nullptr);
  app.dll.addresses.assign(count, nullptr);
  app.dll.modules.clear();
  app.dll.modules.resize(count);
  for (size_t i = 0; i < count; ++i) {
    app.dll.libraryNames[i] = header.dllLibraryNames != nullptr ? header.dllLibraryNames[i] : "";
    app.dll.functionNames[i] = header.dllFunctionNames != nullptr ? header.dllFunctionNames[i] : "";
  }
}

void StartLibraries(RuntimeApp& app, const ProgramHeader& header) {
  for (uint32_t i = 0; i < header.libraryCount; ++i) {
    const LibraryInfo* library = header.libraries[i];
    if (library != nullptr && library->notify != nullptr) {
      library->notify(library_notification::kStarted, reinterpret_cast<intptr_t>(&RuntimeService),
                      0);
    }
  }
  app.libraries.assign(header.libraries, header.libraries + header.libraryCount);
  app.libraryDataWords.assign(header.libraryCount, 0);
}

}  // namespace

void UseProcessHeap() {
  TheRuntimeApp().heap = GetProcessHeap();
  SetRuntimeHeap(HeapSeam{HeapAllocate, HeapReallocate, HeapRelease});
}

void InitRuntime() {
  RuntimeApp& app = TheRuntimeApp();
  const ProgramHeader& header = *app.header;
  UseProcessHeap();
  app.runMode = header.runMode;
  app.reserved = header.reserved;
  app.serial = header.serial + 1;
  if (!app.oleInitialized) {
    OleInitialize(nullptr);
    app.oleInitialized = true;
  }
  SplitProgramPath(app);
  app.hideOwner = CreateHideOwnerWindow();
  app.mainThreadId = GetCurrentThreadId();
  BindUiThreadChannel(app.hideOwner);
  if (header.constantLength != 0) {
    SetConstantArea(header.constantStart, header.constantLength);
  }
  FillDllTables(app, header);
  StartLibraries(app, header);
  if (header.formLength != 0) {
    CurrentWindowSystem().readForms(header.formData, header.formLength);
  }
}

}  // namespace mnemora
