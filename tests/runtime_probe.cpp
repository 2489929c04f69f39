// A small program on the runtime, run by the process tests: the first
// argument names a scenario, the second a file that exit routines append to.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "commands/file_system_commands.h"
#include "runtime/dll_calls.h"
#include "runtime/entry_table.h"
#include "runtime/heap_blocks.h"
#include "runtime/runtime_app.h"
#include "runtime/event_handler.h"
#include "runtime/support_libraries.h"
#include "window/units/window_block.h"
#include "window/units/window_kind.h"
#include "window/window_commands.h"
#include "window/window_set.h"

namespace mnemora {
namespace {

constexpr uint32_t kProbeWindowId = 0x52010001;
constexpr uint32_t kEmptyWindowId = 0x52010002;

constexpr uint8_t kConstantArea[] = {0};
constexpr const char* kDllLibraries[] = {"no_such_library.dll", "", "user32.dll",
                                         "dll_exports_fixture.dll", "dll_exports_fixture.dll"};
constexpr const char* kDllFunctions[] = {"NoSuchFunction", "NoSuchExport", "#60000", "NoSuchExport",
                                         "CallerCleans"};
constexpr int32_t kDllDeclarationCount = 5;

std::string g_scenario;
std::string g_logPath;

void Log(const char* line) {
  if (FILE* file = std::fopen(g_logPath.c_str(), "ab")) {
    std::fputs(line, file);
    std::fputs("\n", file);
    std::fclose(file);
  }
}

void ExitRoutine() {
  Log("exit routine");
}

void RegisterExitRoutineTwice() {
  const intptr_t routine[] = {reinterpret_cast<intptr_t>(&ExitRoutine)};
  kEntryTable.CallRuntimeHelper(runtime_helper::kRegisterExitRoutine, 1, routine);
  kEntryTable.CallRuntimeHelper(runtime_helper::kRegisterExitRoutine, 1, routine);
}

DWORD WINAPI EndProgramLater(void*) {
  Sleep(300);
  kEntryTable.EndProgram(7);
  return 0;
}

DWORD WINAPI CloseWindowLater(void*) {
  Sleep(300);
  PostMessageA(NativeWindowOf(*FindLiveWindow(kProbeWindowId)), WM_CLOSE, 0, 0);
  return 0;
}

DWORD WINAPI RaiseOnThread(void*) {
  kEntryTable.ReportRuntimeError(4, 0x04000001, 9);
  return 0;
}

DWORD WINAPI RaiseNamingTheWindowOnThread(void*) {
  kEntryTable.ReportRuntimeError(4, static_cast<int32_t>(kProbeWindowId), 0);
  return 0;
}

BOOL CALLBACK IsOwnReportBox(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char caption[16] = {};
  GetWindowTextA(window, caption, sizeof caption);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
      std::string(caption) == "错误") {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

// Raised on the main thread while a worker's report box is up: the second
// report of the process, which must not show. Until the box is up the main
// thread pumps, as a UI thread does, so the worker's report can be built.
void RaiseWhileAWorkersBoxIsUp() {
  bool found = false;
  while (!found) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&message);
    }
    EnumWindows(IsOwnReportBox, reinterpret_cast<LPARAM>(&found));
  }
  kEntryTable.ReportRuntimeError(1, 67174459, 802);
}

// Loads and releases go to the log, so that the test sees what a failed
// resolution gives back before the program ends.
HMODULE LoggedLoad(const char* fileName) {
  HMODULE module = LoadLibraryA(fileName);
  if (module != nullptr) {
    Log(("load " + std::string(fileName)).c_str());
  }
  return module;
}
FARPROC LookUp(HMODULE module, const char* name) {
  return GetProcAddress(module, name);
}
BOOL LoggedFree(HMODULE module) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  Log(("free " + std::string(path)).c_str());
  return FreeLibrary(module);
}

void CallDeclaration(int32_t declaration) {
  const uintptr_t words[] = {10, 3};
  char line[64];
  std::snprintf(line, sizeof line, "result %d",
                static_cast<int>(kEntryTable.CallDllFunction(declaration, 2, words)));
  Log(line);
}

void StartThread(LPTHREAD_START_ROUTINE routine) {
  CloseHandle(CreateThread(nullptr, 0, routine, nullptr, 0, nullptr));
}

// A heap of one page, filled up, so that the next request fails.
HANDLE g_fullHeap = nullptr;
void* FullHeapAllocate(size_t size) {
  return HeapAlloc(g_fullHeap, 0, size);
}
void* FullHeapReallocate(void* block, size_t size) {
  return HeapReAlloc(g_fullHeap, 0, block, size);
}
void FullHeapRelease(void* block) {
  HeapFree(g_fullHeap, 0, block);
}

void UseFullHeap() {
  g_fullHeap = HeapCreate(0, 4096, 4096);
  while (HeapAlloc(g_fullHeap, 0, 16) != nullptr) {
  }
  SetRuntimeHeap(HeapSeam{FullHeapAllocate, FullHeapReallocate, FullHeapRelease});
}

// The probe's stored form: one window without units, named for reports.
std::vector<WindowDescription> OneWindowForm() {
  WindowDescription description;
  description.windowId = kProbeWindowId;
  UnitRecordFields window;
  window.kind = kWindowKind;
  window.name = "探测窗口";
  window.width = 200;
  window.height = 100;
  window.stateFlags = 1;
  window.events = {{0, 0}};
  WindowProperties properties;
  properties.title = "probe";
  window.propertyBlock = WritePropertyBlock(properties);
  description.table.ids = {0x06010000};
  description.table.records = {BuildUnitRecord(window)};
  return {description};
}

Bytes MenuItemFirstForm() {
  WindowDescription description;
  description.windowId = kProbeWindowId;
  MenuItemFields item;
  item.caption = "文件";
  description.table.ids = {0x26010001};
  description.table.records = {BuildMenuItemRecord(item)};
  return WriteWindowSet({description});
}

// In the closing scenarios the window's creation handler closes it, later
// or at once.
HandlerOutcome CloseOnCreation(int32_t, const HandlerArg*) {
  if (g_scenario != "close-later" && g_scenario != "close-immediately") {
    return HandlerOutcome{};
  }
  ArgValue args[2] = {ArgValue{kProbeWindowId, 0, type_code::kWindowReference},
                      ArgValue::Boolean(g_scenario == "close-immediately")};
  kEntryTable.CallCoreCommand(DestroyUnit, g_scenario == "close-immediately" ? 2 : 1, args);
  Log("created");
  return HandlerOutcome{};
}

const EventHandler kRoutines[] = {CloseOnCreation};
const HandlerTable kHandlers = {1, kRoutines};

int ProbeMain() {
  const EntryTable& runtime = kEntryTable;
  runtime.CallRuntimeHelper(runtime_helper::kInitRuntime, 0, nullptr);
  AddWindowDescriptions(OneWindowForm());
  TheWindowSet().handlers = &kHandlers;
  RegisterExitRoutineTwice();
  const std::string& s = g_scenario;
  if (s == "close-window") {
    runtime.LoadWindow(kProbeWindowId);
    StartThread(CloseWindowLater);
  } else if (s == "end-on-thread") {
    runtime.LoadWindow(kProbeWindowId);
    StartThread(EndProgramLater);
  } else if (s == "numbered-error") {
    runtime.ReportRuntimeError(1, 67174459, 802);
  } else if (s == "error-on-thread") {
    runtime.LoadWindow(kProbeWindowId);
    StartThread(RaiseOnThread);
  } else if (s == "window-error-on-thread" || s == "two-reports") {
    runtime.LoadWindow(kProbeWindowId);
    StartThread(RaiseNamingTheWindowOnThread);
    if (s == "two-reports") {
      RaiseWhileAWorkersBoxIsUp();
    }
  } else if (s == "memory-failure") {
    UseFullHeap();
    runtime.MemAlloc(100);
  } else if (s == "not-numeric") {
    const ArgValue text = ArgValue::Text("12");
    const intptr_t unused = ToInteger(&text);
    (void)unused;
  } else if (s == "unknown-window") {
    runtime.LoadWindow(0x52010009);
  } else if (s == "window-position") {
    runtime.LoadWindow(kProbeWindowId);
    runtime.ReportRuntimeError(5, static_cast<int32_t>(kProbeWindowId), 0);
  } else if (s == "missing-dll" || s == "missing-export" || s == "missing-ordinal") {
    const int32_t declaration = s == "missing-dll" ? 0 : s == "missing-export" ? 1 : 2;
    runtime.CallDllFunction(declaration, 0, nullptr);
  } else if (s == "missing-fixture-export") {
    SetDllLoader(DllLoader{LoggedLoad, LookUp, LoggedFree});
    CallDeclaration(3);
  } else if (s == "caller-cleans") {
    CallDeclaration(4);
  } else if (s == "selected-library-lacks-declared-name") {
    // With no function name chosen, the next call looks up its own
    // declaration's name in the chosen library, which lacks it.
    const std::string library = TheRuntimeApp().programDirectory + "\\dll_exports_fixture.dll";
    ArgValue args[] = {ArgValue::Text(library.c_str())};
    if (runtime.CallCoreCommand(SelectDllFunction, 1, args).low != 0) {
      Log("selected");
      CallDeclaration(0);
    }
  } else if (s == "end-program") {
    runtime.EndProgram(42);
  } else if (s == "close-later" || s == "close-immediately") {
    runtime.LoadWindow(kProbeWindowId);
  } else if (s == "window-without-records") {
    WindowDescription empty;
    empty.windowId = kEmptyWindowId;
    AddWindowDescriptions({empty});
    runtime.LoadWindow(kEmptyWindowId);
  } else if (s == "property-of-unknown-window") {
    runtime.ReadUnitProperty(0x52010009, 0, 8, -1);
  } else if (s == "property-of-unloaded-window") {
    // Described but never loaded: a kind property has no native window.
    const ArgValue title = ArgValue::Text("t");
    runtime.WriteUnitProperty(kProbeWindowId, 0, 8, -1, title.low, title.high);
  } else if (s == "focus-missing-unit" || s == "destroy-missing-unit") {
    runtime.LoadWindow(kProbeWindowId);
    ArgValue unit[] = {ArgValue{kProbeWindowId, 0x16010009, 0x0001000B}};
    runtime.CallCoreCommand(s == "focus-missing-unit" ? FocusUnit : DestroyUnit, 1, unit);
    Log("went on");
  } else if (s == "focus-unloaded-window") {
    // The window's record stands, only its native window is not there.
    ArgValue window[] = {ArgValue{kProbeWindowId, 0, type_code::kWindowReference}};
    runtime.CallCoreCommand(FocusUnit, 1, window);
    runtime.CallCoreCommand(DestroyUnit, 1, window);
    Log("went on");
  } else if (s == "new-failure") {
    // More than any address space holds.
    std::vector<char> huge;
    huge.reserve(std::numeric_limits<size_t>::max() / 4);
    Log("reserved");
  } else if (s == "too-many-dll-words") {
    std::freopen(g_logPath.c_str(), "ab", stderr);
    const uintptr_t words[17] = {};
    runtime.CallDllFunction(4, 17, words);
    Log("called");
  }
  // "no-window" and every scenario that loaded a window go on here.
  runtime.RunMessageLoop();
  Log("main routine returned");
  return 0;
}

}  // namespace
}  // namespace mnemora

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace mnemora;
  if (__argc < 3) {
    return 2;
  }
  g_scenario = __argv[1];
  g_logPath = __argv[2];
  static ProgramHeader header = {
      3,
      0,
      0,
      nullptr,
      kConstantArea,
      sizeof kConstantArea,
      nullptr,
      0,
      kSupportLibraryCount,
      SupportLibraryTable(),
      kDllDeclarationCount,
      kDllLibraries,
      kDllFunctions,
  };
  // A form that cannot be read ends the program at start-up, as does one
  // whose window's own record is a menu item, which the reader cannot walk
  // as a window.
  static const uint8_t kCorruptForm[] = {16, 0, 0, 0, 1, 0};
  static const Bytes kMenuItemFirstForm = MenuItemFirstForm();
  if (g_scenario == "corrupt-form") {
    header.formData = kCorruptForm;
    header.formLength = sizeof kCorruptForm;
  } else if (g_scenario == "menu-item-first-form") {
    header.formData = kMenuItemFirstForm.data();
    header.formLength = static_cast<uint32_t>(kMenuItemFirstForm.size());
  }
  InstallFormWindowSystem();
  return RunProgram(header, ProbeMain);
}
