#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/dll_calls.h"
#include "runtime/runtime_app.h"

namespace mnemora {
namespace {

// A loader that records every call and resolves only what a test allows.
struct FakeLoader {
  std::vector<std::string> loads;
  std::vector<std::string> lookups;
  std::vector<HMODULE> frees;
  std::vector<std::string> loadable;  // file names that load
  std::string moduleWithFunction;     // the one loadable file that exports
  std::string function;               // what it exports ("#N" for an ordinal)
};
FakeLoader* g_fake = nullptr;

// Module handles are 1-based positions in the loadable list.
HMODULE FakeLoad(const char* fileName) {
  g_fake->loads.push_back(fileName);
  for (size_t i = 0; i < g_fake->loadable.size(); ++i) {
    if (g_fake->loadable[i] == fileName) {
      return reinterpret_cast<HMODULE>(i + 1);
    }
  }
  return nullptr;
}

void ExportedFunction() {}

FARPROC FakeGetProc(HMODULE module, const char* name) {
  const auto ordinal = reinterpret_cast<uintptr_t>(name);
  const std::string asked = ordinal <= 0xFFFF ? "#" + std::to_string(ordinal) : std::string(name);
  const std::string file = g_fake->loadable[reinterpret_cast<uintptr_t>(module) - 1];
  g_fake->lookups.push_back(file + "!" + asked);
  if (file == g_fake->moduleWithFunction && asked == g_fake->function) {
    return reinterpret_cast<FARPROC>(&ExportedFunction);
  }
  return nullptr;
}

BOOL FakeFree(HMODULE module) {
  g_fake->frees.push_back(module);
  return TRUE;
}

class DllResolutionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_fake = &fake_;
    saved_ = CurrentDllLoader();
    SetDllLoader(DllLoader{FakeLoad, FakeGetProc, FakeFree});
    RuntimeApp& app = TheRuntimeApp();
    app.programDirectory = "C:\\prog";
    app.moduleDirectory = "C:\\mod\\";
    app.dll.libraryNames = {"", "skin.dll", "", "C:\\abs\\x.dll"};
    app.dll.functionNames = {"EnumWindows", "Attach", "#12", "Fn"};
    app.dll.addresses.assign(4, nullptr);
    app.dll.modules.assign(4, nullptr);
  }
  void TearDown() override {
    SetDllLoader(saved_);
    TheRuntimeApp().dll = DllTables{};
    TheRuntimeApp().dllTarget = DllCallTarget{};
    g_fake = nullptr;
  }

  FakeLoader fake_;
  DllLoader saved_{};
};

TEST_F(DllResolutionTest, EmptyLibraryNameSearchesSystemLibrariesAndKeepsTheFirstMatch) {
  fake_.loadable = {"Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll"};
  fake_.moduleWithFunction = "User32.dll";
  fake_.function = "EnumWindows";
  EXPECT_EQ(ResolveDllFunction(0), reinterpret_cast<void*>(&ExportedFunction));
  EXPECT_EQ(fake_.loads, (std::vector<std::string>{"Kernel32.dll", "Gdi32.dll", "User32.dll"}));
  EXPECT_EQ(fake_.frees,
            (std::vector<HMODULE>{reinterpret_cast<HMODULE>(1), reinterpret_cast<HMODULE>(2)}));
  EXPECT_EQ(TheRuntimeApp().dll.modules[0], reinterpret_cast<HMODULE>(3));

  // The second call neither loads nor looks up again.
  fake_.loads.clear();
  fake_.lookups.clear();
  EXPECT_EQ(ResolveDllFunction(0), reinterpret_cast<void*>(&ExportedFunction));
  EXPECT_TRUE(fake_.loads.empty());
  EXPECT_TRUE(fake_.lookups.empty());
}

TEST_F(DllResolutionTest, NamedLibraryIsLookedForBesideTheProgramFirst) {
  fake_.loadable = {"C:\\prog\\skin.dll", "C:\\mod\\skin.dll", "skin.dll"};
  fake_.moduleWithFunction = "C:\\prog\\skin.dll";
  fake_.function = "Attach";
  EXPECT_NE(ResolveDllFunction(1), nullptr);
  EXPECT_EQ(fake_.loads, (std::vector<std::string>{"C:\\prog\\skin.dll"}));

  TheRuntimeApp().dll.addresses[1] = nullptr;
  fake_.loads.clear();
  fake_.loadable = {"skin.dll"};
  fake_.moduleWithFunction = "skin.dll";
  EXPECT_NE(ResolveDllFunction(1), nullptr);
  EXPECT_EQ(fake_.loads,
            (std::vector<std::string>{"C:\\prog\\skin.dll", "C:\\mod\\skin.dll", "skin.dll"}));
}

TEST_F(DllResolutionTest, AbsolutePathIsLoadedAsIsAndOrdinalsUseTheLowSixteenBits) {
  fake_.loadable = {"C:\\abs\\x.dll"};
  fake_.moduleWithFunction = "C:\\abs\\x.dll";
  fake_.function = "Fn";
  EXPECT_NE(ResolveDllFunction(3), nullptr);
  EXPECT_EQ(fake_.loads, (std::vector<std::string>{"C:\\abs\\x.dll"}));

  fake_.loadable = {"Kernel32.dll"};
  fake_.moduleWithFunction = "Kernel32.dll";
  fake_.function = "#12";
  EXPECT_NE(ResolveDllFunction(2), nullptr);
  EXPECT_EQ(fake_.lookups.back(), "Kernel32.dll!#12");
  EXPECT_EQ(FindDllExport(reinterpret_cast<HMODULE>(1), "#65548"), ResolveDllFunction(2));
}

TEST_F(DllResolutionTest, CallTargetServesExactlyTheNextCall) {
  fake_.loadable = {"chosen.dll", "Kernel32.dll", "Gdi32.dll", "User32.dll"};
  fake_.moduleWithFunction = "chosen.dll";
  fake_.function = "Attach";
  RuntimeApp& app = TheRuntimeApp();
  app.dllTarget.module = reinterpret_cast<HMODULE>(1);
  app.dllTarget.functionName = "";  // the declaration's own name
  EXPECT_NE(ResolveDllFunction(1), nullptr);
  EXPECT_EQ(app.dllTarget.module, nullptr);
  EXPECT_EQ(app.dll.addresses[1], nullptr);  // a target's address is not kept
  EXPECT_TRUE(fake_.loads.empty());

  fake_.moduleWithFunction = "User32.dll";
  fake_.function = "EnumWindows";
  EXPECT_NE(ResolveDllFunction(0), nullptr);
  EXPECT_EQ(fake_.loads.back(), "User32.dll");
}

TEST(DllCallTest, CallsRealFunctionsWithTheirArguments) {
  RuntimeApp& app = TheRuntimeApp();
  app.dll.libraryNames = {"kernel32", "user32.dll", ""};
  app.dll.functionNames = {"GetCurrentProcessId", "GetSystemMetrics", "MulDiv"};
  app.dll.addresses.assign(3, nullptr);
  app.dll.modules.assign(3, nullptr);
  EXPECT_EQ(CallDllFunction(0, 0, nullptr), GetCurrentProcessId());
  const uintptr_t metric[] = {SM_CXSCREEN};
  EXPECT_EQ(static_cast<int>(CallDllFunction(1, 1, metric)), GetSystemMetrics(SM_CXSCREEN));
  const uintptr_t mulDiv[] = {300, 7, 2};
  EXPECT_EQ(static_cast<int>(CallDllFunction(2, 3, mulDiv)), 1050);
  EXPECT_NE(app.dll.modules[2], nullptr);
  app.dll = DllTables{};
}

}  // namespace
}  // namespace mnemora
