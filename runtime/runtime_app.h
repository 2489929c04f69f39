// The runtime's single application object: everything the runtime keeps
// for the life of the process.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/app_framework.h"
#include "runtime/dll_calls.h"
#include "runtime/program_header.h"
#include "runtime/unit_type_descriptor.h"
#include "runtime/win_handles.h"

namespace mnemora {

// The application's main routine: returns 0.
using MainRoutine = int (*)();
using ExitRoutine = void (*)();
using IdleCallback = void (*)(intptr_t parameter);

struct IdleCallbackLists {
  std::vector<HWND> windows;
  std::vector<IdleCallback> callbacks;
  std::vector<intptr_t> parameters;
};

// Resolved declarations of DLL functions, one entry per declaration.
struct DllTables {
  std::vector<const char*> libraryNames;
  std::vector<const char*> functionNames;
  std::vector<void*> addresses;
  std::vector<LoadedModule> modules;
};

// The function the next DLL call goes to instead of its declaration's.
struct DllCallTarget {
  HMODULE module = nullptr;
  std::string functionName;  // empty: the declaration's own name
};

// A library loaded for choosing DLL functions at run time.
struct SelectedLibrary {
  std::string fullPath;
  LoadedModule module;
};

class RuntimeApp : public AppFramework {
 public:
  RuntimeApp() = default;
  RuntimeApp(const RuntimeApp&) = delete;
  RuntimeApp& operator=(const RuntimeApp&) = delete;

  // Set before the framework starts.
  const ProgramHeader* header = nullptr;
  MainRoutine mainRoutine = nullptr;

  HANDLE heap = nullptr;
  uint32_t runMode = 0;
  uint32_t reserved = 0;
  uint32_t serial = 0;

  std::string programDirectory;  // without a trailing backslash
  std::string programFileName;
  std::string moduleDirectory;  // with its trailing backslash
  bool oleInitialized = false;

  bool iconsLoaded = false;
  UniqueIcon largeIcon;
  UniqueIcon smallIcon;

  HWND hideOwner = nullptr;
  DWORD mainThreadId = 0;

  DllTables dll;
  DllCallTarget dllTarget;
  std::vector<SelectedLibrary> selectedLibraries;
  std::vector<const LibraryInfo*> libraries;
  std::vector<intptr_t> libraryDataWords;

  IdleCallbackLists idleCallbacks;
  std::vector<ExitRoutine> exitRoutines;

  std::atomic<int32_t> eventSuppression{0};
  bool mainLoopStarted = false;
  std::atomic<bool> ending{false};
  // Set by the first run-time error report; later ones show nothing.
  std::atomic<bool> reportStarted{false};
  // A report drops the exit routines; the shut-down, on the UI thread,
  // leaves them out.
  std::atomic<bool> exitRoutinesDropped{false};
  HWND currentModalWindow = nullptr;

  // Idle step state of the current idle period.
  bool frameworkIdlePending = false;
  DWORD idlePeriodStart = 0;
  std::vector<uint32_t> idleDoneWindows;

 protected:
  bool InitInstance() override;
  int ExitInstance() override;
  bool PreTranslateMessage(MSG* message) override;
};

RuntimeApp& TheRuntimeApp();

// Runs the whole program: framework start, the application's main routine,
// exit step. The result is the process exit code.
int RunProgram(const ProgramHeader& header, MainRoutine mainRoutine);

// Resolves a unit kind through the registered support libraries; null when
// the kind names no descriptor.
const UnitTypeDescriptor* ResolveUnitKind(uint32_t kind);

}  // namespace mnemora
