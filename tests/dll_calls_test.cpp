// Declared DLL functions and SelectDllFunction, resolved against real
// libraries: the system's own and the fixtures built beside this test. A
// recording loader wraps the real LoadLibraryA, GetProcAddress and
// FreeLibrary, so every load, look-up and release is seen as it happens.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "commands/file_system_commands.h"
#include "runtime/dll_calls.h"
#include "runtime/runtime_app.h"
#include "tests/command_test_support.h"

namespace mnemora {
namespace {

using Strings = std::vector<std::string>;

std::string Lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

std::string BaseName(HMODULE module) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  const std::string full = path;
  return Lower(full.substr(full.find_last_of('\\') + 1));
}

struct LoaderRecord {
  Strings loads;    // the file names asked for, as given
  Strings lookups;  // "module!name" or "module!#ordinal"
  Strings frees;    // base names of the modules released
  void Clear() { *this = LoaderRecord{}; }
};
LoaderRecord g_record;

HMODULE RecordingLoad(const char* fileName) {
  g_record.loads.push_back(fileName);
  return LoadLibraryA(fileName);
}

FARPROC RecordingGetProc(HMODULE module, const char* name) {
  const auto ordinal = reinterpret_cast<uintptr_t>(name);
  g_record.lookups.push_back(BaseName(module) + "!" +
                             (ordinal <= 0xFFFF ? "#" + std::to_string(ordinal) : name));
  return GetProcAddress(module, name);
}

BOOL RecordingFree(HMODULE module) {
  g_record.frees.push_back(BaseName(module));
  return FreeLibrary(module);
}

std::string TestDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string full = path;
  return full.substr(0, full.find_last_of('\\'));
}

using WhichCopyFunction = int(WINAPI*)();
int WhichCopy(HMODULE module) {
  return reinterpret_cast<WhichCopyFunction>(
      reinterpret_cast<void*>(GetProcAddress(module, "WhichCopy")))();
}

class DllCallsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = CurrentDllLoader();
    SetDllLoader(DllLoader{RecordingLoad, RecordingGetProc, RecordingFree});
    g_record.Clear();
    RuntimeApp& app = TheRuntimeApp();
    app.programDirectory = directory_;
    app.moduleDirectory = directory_ + "\\";
  }

  void TearDown() override {
    RuntimeApp& app = TheRuntimeApp();
    app.dll = DllTables{};
    app.selectedLibraries.clear();
    app.dllTarget = DllCallTarget{};
    SetDllLoader(saved_);
  }

  // Declarations numbered from 0, as the program header lists them.
  void Declare(std::vector<std::pair<std::string, std::string>> declarations) {
    RuntimeApp& app = TheRuntimeApp();
    app.dll = DllTables{};
    for (auto& [library, function] : declarations) {
      app.dll.libraryNames.push_back(names_.emplace_back(library).c_str());
      app.dll.functionNames.push_back(names_.emplace_back(function).c_str());
      app.dll.addresses.push_back(nullptr);
      app.dll.modules.emplace_back();
    }
  }

  static bool Select(std::initializer_list<ArgValue> args) {
    return testing_support::Call(SelectDllFunction, args).low != 0;
  }

  const std::string directory_ = TestDirectory();
  const std::string exports_ = directory_ + "\\dll_exports_fixture.dll";
  const std::string elsewhere_ = directory_ + "\\search_path";
  std::deque<std::string> names_;
  DllLoader saved_{};
};

ArgValue T(const std::string& text) {
  return ArgValue::Text(text.c_str());
}

TEST_F(DllCallsTest, EmptyLibraryNameKeepsTheFirstSystemLibraryThatHasTheFunction) {
  Declare({{"", "EnumWindows"}, {"", "GetCurrentProcessId"}});
  void* address = ResolveDllFunction(0);
  EXPECT_EQ(address,
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "EnumWindows")));
  EXPECT_EQ(g_record.loads, (Strings{"Kernel32.dll", "Gdi32.dll", "User32.dll"}));
  EXPECT_EQ(g_record.lookups, (Strings{"kernel32.dll!EnumWindows", "gdi32.dll!EnumWindows",
                                       "user32.dll!EnumWindows"}));
  EXPECT_EQ(g_record.frees, (Strings{"kernel32.dll", "gdi32.dll"}));
  EXPECT_EQ(BaseName(TheRuntimeApp().dll.modules[0].Get()), "user32.dll");

  g_record.Clear();
  EXPECT_EQ(ResolveDllFunction(0), address);
  EXPECT_EQ(g_record.loads, Strings{});
  EXPECT_EQ(g_record.lookups, Strings{});

  EXPECT_EQ(CallDllFunction(1, 0, nullptr), GetCurrentProcessId());
  EXPECT_EQ(g_record.loads, Strings{"Kernel32.dll"});
  EXPECT_EQ(g_record.frees, Strings{});

  // At the end each kept module goes back once, through the loader that
  // loaded it.
  TheRuntimeApp().dll = DllTables{};
  EXPECT_EQ(g_record.frees, (Strings{"user32.dll", "kernel32.dll"}));
}

TEST_F(DllCallsTest, ProgramDirectoryCopyWinsOverThePlatformsOwnSearch) {
  // The other copy is on the search path and already loaded, so that the
  // platform's search by name now yields it.
  ASSERT_TRUE(SetDllDirectoryA(elsewhere_.c_str()));
  HMODULE other = LoadLibraryA((elsewhere_ + "\\dll_where_fixture.dll").c_str());
  HMODULE byName = LoadLibraryA("dll_where_fixture.dll");
  ASSERT_EQ(WhichCopy(byName), 2);

  Declare({{"dll_where_fixture.dll", "WhichCopy"}});
  EXPECT_EQ(CallDllFunction(0, 0, nullptr), 1u);
  EXPECT_EQ(g_record.loads, Strings{directory_ + "\\dll_where_fixture.dll"});
  FreeLibrary(byName);
  FreeLibrary(other);
  SetDllDirectoryA(nullptr);
}

TEST_F(DllCallsTest, ModuleDirectoryAndThenThePlatformsSearchFollow) {
  const std::string nowhere = "C:\\mnemora_no_such_directory";
  RuntimeApp& app = TheRuntimeApp();
  app.programDirectory = nowhere;
  app.moduleDirectory = "";
  Declare({{"dll_where_fixture.dll", "WhichCopy"}, {"dll_where_fixture.dll", "WhichCopy"}});
  // The platform's own search starts beside this test program.
  EXPECT_EQ(CallDllFunction(0, 0, nullptr), 1u);
  EXPECT_EQ(g_record.loads,
            (Strings{nowhere + "\\dll_where_fixture.dll", "dll_where_fixture.dll"}));

  g_record.Clear();
  app.moduleDirectory = elsewhere_ + "\\";
  EXPECT_EQ(CallDllFunction(1, 0, nullptr), 2u);
  EXPECT_EQ(g_record.loads,
            (Strings{nowhere + "\\dll_where_fixture.dll", elsewhere_ + "\\dll_where_fixture.dll"}));
}

TEST_F(DllCallsTest, OrdinalsUseTheLowSixteenBitsAndAbsolutePathsLoadAsGiven) {
  Declare({{exports_, "#7"},
           {exports_, "#65543"},
           {"dll_exports_fixture.dll", "MultiplyAdd"},
           {"dll_exports_fixture.dll", "#5"}});
  EXPECT_EQ(CallDllFunction(0, 0, nullptr), 7u);
  EXPECT_EQ(g_record.loads, Strings{exports_});
  EXPECT_EQ(g_record.lookups, Strings{"dll_exports_fixture.dll!#7"});
  EXPECT_EQ(ResolveDllFunction(1), ResolveDllFunction(0));
  const uintptr_t arguments[] = {6, 7, 8};
  EXPECT_EQ(CallDllFunction(2, 3, arguments), 50u);
  EXPECT_EQ(ResolveDllFunction(3), ResolveDllFunction(2));
}

#if !defined(__i386__)
// On x86-64 the caller always removes the arguments, so a caller-cleans
// function leaves the stack exactly as any other does and the depth check
// cannot fail here; the 32-bit build checks it in the process test.
TEST_F(DllCallsTest, CallerCleansFunctionIsCalledLikeAnyOther) {
  Declare({{"dll_exports_fixture.dll", "CallerCleans"}});
  const uintptr_t arguments[] = {10, 3};
  EXPECT_EQ(CallDllFunction(0, 2, arguments), 7u);
}
#endif

TEST_F(DllCallsTest, SelectedFunctionServesExactlyTheNextCall) {
  Declare({{"kernel32", "GetCurrentProcessId"}, {"kernel32", "MultiplyAdd"}});
  RuntimeApp& app = TheRuntimeApp();
  const uintptr_t arguments[] = {2, 3, 4};
  EXPECT_TRUE(Select({T(exports_), T("MultiplyAdd")}));
  EXPECT_EQ(app.dllTarget.functionName, "MultiplyAdd");
  EXPECT_EQ(CallDllFunction(0, 3, arguments), 10u);
  EXPECT_EQ(app.dllTarget.module, nullptr);
  EXPECT_EQ(app.dll.addresses[0], nullptr);  // a target's address is not kept
  EXPECT_EQ(CallDllFunction(0, 0, nullptr), GetCurrentProcessId());

  // Without a function name the declaration's own name is looked up in the
  // chosen library; kernel32 itself has no MultiplyAdd.
  EXPECT_TRUE(Select({T(exports_)}));
  EXPECT_EQ(CallDllFunction(1, 3, arguments), 10u);
  EXPECT_TRUE(Select({T(exports_), T("#7")}));
  EXPECT_EQ(CallDllFunction(0, 0, nullptr), 7u);

  // The same library by another spelling of its path comes from the cache.
  SetCurrentDirectoryA(directory_.c_str());
  EXPECT_TRUE(Select({T("DLL_Exports_Fixture.DLL"), T("MultiplyAdd")}));
  ASSERT_EQ(app.selectedLibraries.size(), 1u);
  EXPECT_EQ(Lower(app.selectedLibraries[0].fullPath), Lower(exports_));
  int exportLoads = 0;
  for (const std::string& load : g_record.loads) {
    exportLoads += Lower(load) == Lower(exports_) ? 1 : 0;
  }
  EXPECT_EQ(exportLoads, 1);
}

TEST_F(DllCallsTest, FailedSelectionsClearTheTargetAndFreeOnlyWhatTheyLoaded) {
  RuntimeApp& app = TheRuntimeApp();
  app.dllTarget = DllCallTarget{GetModuleHandleA("kernel32.dll"), "GetTickCount"};
  EXPECT_TRUE(Select({}));
  EXPECT_EQ(app.dllTarget.module, nullptr);
  EXPECT_TRUE(Select({ArgValue::None(), ArgValue::None()}));

  const std::string where = directory_ + "\\dll_where_fixture.dll";
  EXPECT_FALSE(Select({T(where), T("NoSuchFunction")}));
  EXPECT_EQ(g_record.frees, Strings{"dll_where_fixture.dll"});
  EXPECT_EQ(GetModuleHandleA("dll_where_fixture.dll"), nullptr);
  EXPECT_EQ(app.dllTarget.module, nullptr);
  EXPECT_TRUE(app.selectedLibraries.empty());

  EXPECT_TRUE(Select({T(exports_), T("MultiplyAdd")}));
  g_record.Clear();
  EXPECT_FALSE(Select({T(exports_), T("#99")}));
  EXPECT_EQ(g_record.frees, Strings{});
  EXPECT_EQ(app.selectedLibraries.size(), 1u);
  EXPECT_EQ(app.dllTarget.module, nullptr);

  EXPECT_FALSE(Select({T(directory_ + "\\no_such_library.dll"), T("Any")}));
  EXPECT_EQ(app.selectedLibraries.size(), 1u);
}

TEST_F(DllCallsTest, TheTwentyFirstLibraryEvictsTheOldest) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string scratch =
      std::string(temp) + "mnemora_dll_cache_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(scratch.c_str(), nullptr);
  Strings copies;
  for (int i = 0; i <= 20; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "\\lib%02d.dll", i);
    copies.push_back(scratch + name);
    ASSERT_TRUE(CopyFileA(exports_.c_str(), copies.back().c_str(), FALSE));
  }
  RuntimeApp& app = TheRuntimeApp();
  for (int i = 0; i < 20; ++i) {
    EXPECT_TRUE(Select({T(copies[i]), T("MultiplyAdd")}));
  }
  EXPECT_EQ(app.selectedLibraries.size(), kMaxSelectedLibraries);
  EXPECT_EQ(g_record.frees, Strings{});

  EXPECT_TRUE(Select({T(copies[20]), T("MultiplyAdd")}));
  EXPECT_EQ(g_record.frees, Strings{"lib00.dll"});
  ASSERT_EQ(app.selectedLibraries.size(), kMaxSelectedLibraries);
  EXPECT_EQ(Lower(app.selectedLibraries.front().fullPath), Lower(copies[1]));
  EXPECT_EQ(Lower(app.selectedLibraries.back().fullPath), Lower(copies[20]));

  g_record.Clear();
  EXPECT_TRUE(Select({T(copies[0]), T("MultiplyAdd")}));
  EXPECT_EQ(g_record.loads.size(), 1u);
  EXPECT_EQ(g_record.frees, Strings{"lib01.dll"});

  app.selectedLibraries.clear();
  for (const std::string& copy : copies) {
    DeleteFileA(copy.c_str());
  }
  RemoveDirectoryA(scratch.c_str());
}

}  // namespace
}  // namespace mnemora
