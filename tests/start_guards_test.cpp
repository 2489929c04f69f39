// The skin step against stand-in skin libraries built beside this test:
// which copy is chosen, what the chosen one is given, and the silent cases.
// The system directory is the Wine prefix's own; a copy put there for a case
// is removed again.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/embedded_skin.h"
#include "app/program_header.h"
#include "app/skin.h"
#include "runtime/runtime_app.h"

namespace mnemora::app {
namespace {

std::string TestDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string full = path;
  return full.substr(0, full.find_last_of('\\'));
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

constexpr char kAttachedWithTheBlock[] = ".SHE 20275 null 0 0 0\n";

class SkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RuntimeApp& app = TheRuntimeApp();
    const ProgramHeader& header = MnemoraProgramHeader();
    app.dll = DllTables{};
    for (uint32_t i = 0; i < header.dllDeclarationCount; ++i) {
      app.dll.libraryNames.push_back(header.dllLibraryNames[i]);
      app.dll.functionNames.push_back(header.dllFunctionNames[i]);
      app.dll.addresses.push_back(nullptr);
      app.dll.modules.emplace_back();
    }
    inSystem_ = SystemDirectoryPath();
    CreateDirectoryA(programDirectory_.c_str(), nullptr);
    app.programDirectory = programDirectory_;
    app.moduleDirectory = programDirectory_ + "\\";
    Remove(besideProgram_);
    Remove(inSystem_);
  }
  void TearDown() override {
    RuntimeApp& app = TheRuntimeApp();
    app.dll = DllTables{};
    app.selectedLibraries.clear();
    app.dllTarget = DllCallTarget{};
    Remove(besideProgram_);
    Remove(inSystem_);
  }
  // Copies one of the stand-ins ("accepting", "refusing", "no_export").
  static void Place(const char* kind, const std::string& directory) {
    const std::string from = TestDirectory() + "\\skin\\" + kind + "\\SkinH_QN.dll";
    ASSERT_TRUE(CopyFileA(from.c_str(), (directory + "SkinH_QN.dll").c_str(), FALSE)) << from;
  }
  static void Remove(const std::string& directory) {
    DeleteFileA((directory + "SkinH_QN.dll").c_str());
    DeleteFileA((directory + "SkinH_QN.calls").c_str());
  }
  static bool Attach() { return AttachSkin(EmbeddedSkin(), "", 0, 0, 0); }

  const std::string programDirectory_ = TestDirectory() + "\\skin_program";
  const std::string besideProgram_ = programDirectory_ + "\\";
  std::string inSystem_;  // known once the declarations are in place
  const std::string programCopy_ = besideProgram_ + "SkinH_QN.dll";
};

TEST_F(SkinTest, EmbeddedBlockIsTheSkinFormatsLengthAndHeader) {
  const auto bytes = EmbeddedSkinBytes();
  ASSERT_EQ(bytes.size(), 20275u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), ".SHE");
  uint32_t header[2];
  std::memcpy(header, EmbeddedSkin(), sizeof header);
  EXPECT_EQ(header[0], 1u);
  EXPECT_EQ(header[1], 20275u);
}

TEST_F(SkinTest, SystemDirectoryEndsInABackslash) {
  char directory[MAX_PATH] = {};
  GetSystemDirectoryA(directory, MAX_PATH);
  EXPECT_EQ(inSystem_, std::string(directory) + "\\");
}

TEST_F(SkinTest, ProgramDirectoryCopyWinsWhenTheWindowIsCreated) {
  Place("accepting", besideProgram_);
  Place("accepting", inSystem_);
  // At program entry the path is empty: the system copy is preferred.
  ResolveSkinPath("");
  EXPECT_EQ(SkinLibraryPath(), inSystem_ + "SkinH_QN.dll");
  ResolveSkinPath(programCopy_);
  EXPECT_EQ(SkinLibraryPath(), programCopy_);
  EXPECT_TRUE(Attach());
  EXPECT_EQ(ReadAll(besideProgram_ + "SkinH_QN.calls"), kAttachedWithTheBlock);
  EXPECT_FALSE(Exists(inSystem_ + "SkinH_QN.calls"));
  // The skin function is not left selected for the next DLL call.
  EXPECT_EQ(TheRuntimeApp().dllTarget.module, nullptr);
}

TEST_F(SkinTest, SystemDirectoryCopyIsTheFallback) {
  Place("accepting", inSystem_);
  ResolveSkinPath("  " + programCopy_ + "  ");
  EXPECT_EQ(SkinLibraryPath(), inSystem_ + "SkinH_QN.dll");
  EXPECT_TRUE(Attach());
  EXPECT_EQ(ReadAll(inSystem_ + "SkinH_QN.calls"), kAttachedWithTheBlock);
}

TEST_F(SkinTest, TextAndNumbersArePassedOn) {
  Place("accepting", besideProgram_);
  ResolveSkinPath(programCopy_);
  EXPECT_TRUE(AttachSkin(EmbeddedSkin(), "theme", 1, -2, 3));
  EXPECT_EQ(ReadAll(besideProgram_ + "SkinH_QN.calls"), ".SHE 20275 text 1 -2 3\n");
}

TEST_F(SkinTest, NoLibraryOrOneThatFailsLeavesTheWindowUnskinnedSilently) {
  ResolveSkinPath(programCopy_);
  EXPECT_EQ(SkinLibraryPath(), programCopy_);
  EXPECT_FALSE(Attach());
  EXPECT_TRUE(TheRuntimeApp().selectedLibraries.empty());  // nothing was loaded

  Place("refusing", besideProgram_);
  EXPECT_FALSE(Attach());
  EXPECT_EQ(ReadAll(besideProgram_ + "SkinH_QN.calls"), kAttachedWithTheBlock);
  EXPECT_EQ(TheRuntimeApp().dllTarget.module, nullptr);
}

TEST_F(SkinTest, LibraryWithoutTheSkinFunctionIsNotCalled) {
  Place("no_export", besideProgram_);
  ResolveSkinPath(programCopy_);
  EXPECT_FALSE(Attach());
  EXPECT_EQ(TheRuntimeApp().dllTarget.module, nullptr);
}

}  // namespace
}  // namespace mnemora::app
