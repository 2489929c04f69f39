#include "runtime/end_program.h"

#include <windows.h>
#include <ole2.h>

#include "runtime/heap_blocks.h"
#include "runtime/runtime_app.h"
#include "runtime/ui_thread_channel.h"
#include "runtime/window_system_hooks.h"

namespace mnemora {
namespace {

bool OnMainThread(const RuntimeApp& app) {
  return app.mainThreadId == 0 || GetCurrentThreadId() == app.mainThreadId;
}

void NotifyLibrariesOfEnd(RuntimeApp& app) {
  for (size_t i = 0; i < app.libraries.size(); ++i) {
    const LibraryInfo* library = app.libraries[i];
    if (library != nullptr && library->notify != nullptr) {
      const intptr_t dataWord = i < app.libraryDataWords.size() ? app.libraryDataWords[i] : 0;
      library->notify(library_notification::kEnding, dataWord, 0);
    }
  }
  app.libraries.clear();
  app.libraryDataWords.clear();
}

// The modules go back through the loader that loaded them.
void ReleaseDllModules(RuntimeApp& app) {
  app.dll = DllTables{};
  app.selectedLibraries.clear();
  app.dllTarget = DllCallTarget{};
}

}  // namespace

void ShutDownRuntime() {
  RuntimeApp& app = TheRuntimeApp();
  app.ending = true;
  // From here no other thread reaches the windows or the runtime's records.
  CloseUiThreadChannelForGood();
  app.idleCallbacks = IdleCallbackLists{};
  CurrentWindowSystem().freeWindows();
  // Taken out first so that a routine registering another cannot disturb
  // the walk.
  std::vector<ExitRoutine> routines = std::move(app.exitRoutines);
  app.exitRoutines.clear();
  if (app.exitRoutinesDropped) {
    routines.clear();
  }
  for (ExitRoutine routine : routines) {
    routine();
  }
  NotifyLibrariesOfEnd(app);
  ReleaseDllModules(app);
  ClearConstantArea();
  app.largeIcon.Reset();
  app.smallIcon.Reset();
  app.iconsLoaded = false;
  if (app.hideOwner != nullptr) {
    DestroyWindow(app.hideOwner);
    app.hideOwner = nullptr;
  }
  if (app.oleInitialized) {
    OleUninitialize();
    app.oleInitialized = false;
  }
}

void EndProgram(int32_t exitCode) {
  RuntimeApp& app = TheRuntimeApp();
  ++app.eventSuppression;
  if (!OnMainThread(app)) {
    if (app.hideOwner != nullptr) {
      SendMessageA(app.hideOwner, kEndProgramMessage, static_cast<WPARAM>(exitCode), 0);
    }
    if (!app.ending) {
      ExitProcess(static_cast<UINT>(exitCode));
    }
    return;
  }
  ShutDownRuntime();
  ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace mnemora
