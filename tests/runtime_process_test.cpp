// Runs the probe program under the same Wine session and checks what a
// person would see: the error box's text and the process exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>
#include <string>

namespace {

std::string ProgramDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string full = path;
  return full.substr(0, full.find_last_of('\\') + 1);
}

struct BoxSearch {
  DWORD processId;
  HWND box;
};

BOOL CALLBACK FindErrorBox(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<BoxSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char caption[64] = {};
  GetWindowTextA(window, caption, sizeof caption);
  if (owner == search->processId && IsWindowVisible(window) && std::string(caption) == "错误") {
    search->box = window;
    return FALSE;
  }
  return TRUE;
}

// The box's message is its longest static text (the icon is a static too).
BOOL CALLBACK FindLongestStatic(HWND child, LPARAM parameter) {
  char className[32] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0) {
    // The length is an upper bound for multibyte text: cut at the terminator.
    const int length = GetWindowTextLengthA(child);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(child, text.data(), length + 1);
    text.resize(text.find('\0'));
    auto* longest = reinterpret_cast<std::string*>(parameter);
    if (text.size() > longest->size()) {
      *longest = text;
    }
  }
  return TRUE;
}

struct ProbeRun {
  DWORD exitCode = 0;
  bool sawBox = false;
  bool boxOnMainThread = false;
  LONG boxStyle = 0;
  std::string boxText;
  std::string log;
};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

// Starts the probe, presses OK on its error box if one appears, and waits
// for the end of the process.
ProbeRun RunProbe(const std::string& scenario) {
  const std::string directory = ProgramDirectory();
  const std::string logPath = directory + "probe_" + scenario + ".log";
  DeleteFileA(logPath.c_str());
  std::string command =
      "\"" + directory + "runtime_probe.exe\" " + scenario + " \"" + logPath + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ProbeRun run;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.c_str(), &startup, &process)) {
    ADD_FAILURE() << "could not start the probe: " << GetLastError();
    return run;
  }
  const DWORD deadline = GetTickCount() + 20000;
  while (WaitForSingleObject(process.hProcess, 25) == WAIT_TIMEOUT) {
    BoxSearch search{process.dwProcessId, nullptr};
    EnumWindows(FindErrorBox, reinterpret_cast<LPARAM>(&search));
    if (search.box != nullptr && !run.sawBox) {
      run.sawBox = true;
      run.boxStyle = GetWindowLongA(search.box, GWL_STYLE);
      run.boxOnMainThread = GetWindowThreadProcessId(search.box, nullptr) == process.dwThreadId;
      EnumChildWindows(search.box, FindLongestStatic, reinterpret_cast<LPARAM>(&run.boxText));
      PostMessageA(search.box, WM_COMMAND, IDOK, 0);
    }
    if (GetTickCount() > deadline) {
      TerminateProcess(process.hProcess, 99);
      ADD_FAILURE() << "the probe did not end: " << scenario;
    }
  }
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.log = ReadFile(logPath);
  DeleteFileA(logPath.c_str());
  return run;
}

constexpr DWORD kErrorExit = 0xFFFFFFFF;

TEST(ProgramEndTest, LastWindowClosedEndsWithZeroAndRunsTheExitRoutineOnce) {
  const ProbeRun run = RunProbe("close-window");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_FALSE(run.sawBox);
  EXPECT_EQ(run.log, "main routine returned\nexit routine\n");
}

TEST(ProgramEndTest, EndProgramOnAnotherThreadEndsWithItsCodeAfterTheShutDown) {
  const ProbeRun run = RunProbe("end-on-thread");
  EXPECT_EQ(run.exitCode, 7u);
  EXPECT_EQ(run.log, "exit routine\n");  // the main routine never returned
}

TEST(ProgramEndTest, EndProgramOnTheMainThreadAndTheLoopWithoutWindows) {
  EXPECT_EQ(RunProbe("end-program").exitCode, 42u);
  const ProbeRun noWindow = RunProbe("no-window");
  EXPECT_EQ(noWindow.exitCode, 0u);
  EXPECT_EQ(noWindow.log, "main routine returned\nexit routine\n");
}

TEST(ProgramEndTest, AWindowClosedByTheProgramEndsTheLoopOrIsGoneBeforeIt) {
  // Closed after its creation handler returned: the running loop ends.
  const ProbeRun later = RunProbe("close-later");
  EXPECT_EQ(later.exitCode, 0u);
  EXPECT_FALSE(later.sawBox);
  EXPECT_EQ(later.log, "created\nmain routine returned\nexit routine\n");
  // Closed inside its first event: the loop sees no window and returns.
  const ProbeRun immediately = RunProbe("close-immediately");
  EXPECT_EQ(immediately.exitCode, 0u);
  EXPECT_EQ(immediately.log, "created\nmain routine returned\nexit routine\n");
}

TEST(ErrorReportTest, NumberedErrorShowsTheDocumentedBoxAndDropsExitRoutines) {
  const ProbeRun run = RunProbe("numbered-error");
  ASSERT_TRUE(run.sawBox);
  EXPECT_EQ(run.boxText,
            "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n"
            "\r\n67174459, 802\r\n");
  EXPECT_NE(run.boxStyle & WS_VISIBLE, 0);
  EXPECT_EQ(run.exitCode, kErrorExit);
  EXPECT_EQ(run.log, "");
}

TEST(ErrorReportTest, AllocationFailureNamesTheRequestedSize) {
  const ProbeRun run = RunProbe("memory-failure");
  ASSERT_TRUE(run.sawBox);
  EXPECT_EQ(run.boxText, "运行时出错!\r\n\r\n错误信息：分配 100 字节内存失败!\r\n\r\n0, 0\r\n");
  EXPECT_EQ(run.exitCode, kErrorExit);
  EXPECT_EQ(run.log, "");
}

TEST(ErrorReportTest, AContainerThatCannotGrowEndsInTheSameReport) {
  const ProbeRun run = RunProbe("new-failure");
  ASSERT_TRUE(run.sawBox);
  EXPECT_EQ(run.boxText, "运行时出错!\r\n\r\n错误信息：分配 " +
                             std::to_string(std::numeric_limits<size_t>::max() / 4) +
                             " 字节内存失败!\r\n\r\n0, 0\r\n");
  EXPECT_EQ(run.exitCode, kErrorExit);
  EXPECT_EQ(run.log, "");
}

TEST(UnitCommandEndTest, AUnitWhoseRecordStandsIsNotMissing) {
  const ProbeRun run = RunProbe("focus-unloaded-window");
  EXPECT_FALSE(run.sawBox);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.log, "went on\nmain routine returned\nexit routine\n");
}

TEST(AssertionTest, MoreDllArgumentWordsThanTheCallTakesStopWithTheAssertion) {
  const ProbeRun run = RunProbe("too-many-dll-words");
  EXPECT_FALSE(run.sawBox);
  EXPECT_EQ(run.exitCode, 3u);
  EXPECT_NE(run.log.find("Mnemora: assertion failed: wordCount >= 0 && wordCount <= "
                         "kMaxDllArgumentWords, at "),
            std::string::npos)
      << run.log;
  EXPECT_NE(run.log.find("dll_calls.cpp:"), std::string::npos) << run.log;
  EXPECT_EQ(run.log.find("called"), std::string::npos);
}

TEST(ErrorReportTest, RuntimeFailuresEndWithMinusOne) {
  struct Case {
    const char* scenario;
    const char* text;
  };
  const Case cases[] = {
      {"not-numeric", "运行时出错!\r\n\r\n错误信息：欲转换数据类型不是数值\r\n\r\n0, 0\r\n"},
      {"unknown-window",
       "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n\r\n1375797257, "
       "0\r\n未找到所指定的窗口\r\n"},
      {"window-position",
       "运行时出错!\r\n\r\n错误代码：5\r\n\r\n错误信息：数据或数组类型不匹配\r\n"
       // The window is named by its own record, which is also its first unit.
       "\r\n1375797249, 0\r\n\"探测窗口\"\r\n\"探测窗口\"\r\n"},
      {"missing-dll",
       "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“no_such_library.dll”中的输出命令"
       "“NoSuchFunction”\r\n\r\n0, 0\r\n"},
      {"missing-export",
       "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件中的输出命令“NoSuchExport”\r\n\r\n0, "
       "0\r\n"},
      {"missing-ordinal",
       "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“user32.dll”中的输出命令“#60000”"
       "\r\n\r\n0, 0\r\n"},
      {"corrupt-form", "运行时出错!\r\n\r\n错误信息：载入窗口模板数据段出错!\r\n\r\n0, 0\r\n"},
      // The window's own record a menu item: the reader cannot walk it.
      {"menu-item-first-form",
       "运行时出错!\r\n\r\n错误信息：载入窗口模板数据段出错!\r\n\r\n0, 0\r\n"},
      // A window without records: there is nothing to load, and no name.
      {"window-without-records",
       "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n\r\n1375797250, 0\r\n\"\"\r\n"
       "未找到所指定的窗口组件\r\n"},
      {"property-of-unknown-window",
       "运行时出错!\r\n\r\n错误信息：未载入欲访问窗口组件所在的窗口\r\n\r\n1375797257, "
       "0\r\n未找到所指定的窗口\r\n"},
      {"property-of-unloaded-window",
       "运行时出错!\r\n\r\n错误信息：修改组件属性时发现指定窗口尚未载入\r\n\r\n1375797249, "
       "0\r\n\"探测窗口\"\r\n\"探测窗口\"\r\n"},
      {"focus-missing-unit",
       "运行时出错!\r\n\r\n错误信息：指定窗口或窗口组件不存在或尚未载入\r\n\r\n1375797249, "
       "369164297\r\n\"探测窗口\"\r\n未找到所指定的窗口组件\r\n"},
      {"destroy-missing-unit",
       "运行时出错!\r\n\r\n错误信息：指定窗口或窗口组件不存在或尚未载入\r\n\r\n1375797249, "
       "369164297\r\n\"探测窗口\"\r\n未找到所指定的窗口组件\r\n"},
      {"error-on-thread",
       "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n"
       "\r\n67108865, 9\r\n"},
  };
  for (const Case& c : cases) {
    const ProbeRun run = RunProbe(c.scenario);
    EXPECT_TRUE(run.sawBox) << c.scenario;
    EXPECT_EQ(run.boxText, c.text) << c.scenario;
    EXPECT_EQ(run.exitCode, kErrorExit) << c.scenario;
    EXPECT_EQ(run.log, "") << c.scenario;
  }
}

TEST(DllCallEndTest, AFailedResolutionReleasesTheLibraryItLoaded) {
  const ProbeRun run = RunProbe("missing-fixture-export");
  EXPECT_TRUE(run.sawBox);
  EXPECT_EQ(
      run.boxText,
      "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“dll_exports_fixture.dll”中的输出命令"
      "“NoSuchExport”\r\n\r\n0, 0\r\n");
  EXPECT_EQ(run.exitCode, kErrorExit);
  const std::string library = ProgramDirectory() + "dll_exports_fixture.dll";
  EXPECT_EQ(run.log, "load " + library + "\nfree " + library + "\n");
}

TEST(DllCallEndTest, ASelectedLibraryWithoutTheDeclaredNameEndsTheProgram) {
  const ProbeRun run = RunProbe("selected-library-lacks-declared-name");
  EXPECT_TRUE(run.sawBox);
  EXPECT_EQ(run.boxText,
            "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件中的输出命令“NoSuchFunction”"
            "\r\n\r\n0, 0\r\n");
  EXPECT_EQ(run.exitCode, kErrorExit);
  EXPECT_EQ(run.log, "selected\n");
}

TEST(DllCallEndTest, ACallerCleansFunctionFailsTheStackCheckOnlyOn32Bit) {
  const ProbeRun run = RunProbe("caller-cleans");
#if defined(__i386__)
  EXPECT_TRUE(run.sawBox);
  EXPECT_EQ(run.boxText,
            "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n"
            "\r\n0, 0\r\n");
  EXPECT_EQ(run.exitCode, kErrorExit);
  EXPECT_EQ(run.log, "");
#else
  // On x86-64 the caller always removes the arguments, so a caller-cleans
  // function leaves the stack as any other does: the check cannot fail and
  // the program goes on with the function's result.
  EXPECT_FALSE(run.sawBox);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.log, "result 7\nmain routine returned\nexit routine\n");
#endif
}

TEST(ErrorReportTest, AReportOnAWorkerShowsThereNamesTheWindowAndIsTheOnlyOne) {
  // "two-reports": the main thread raises a second report while the
  // worker's box is up; only the first shows (a second box would keep the
  // probe from ending), and the end still runs on the main thread.
  for (const char* scenario : {"window-error-on-thread", "two-reports"}) {
    const ProbeRun run = RunProbe(scenario);
    ASSERT_TRUE(run.sawBox) << scenario;
    EXPECT_FALSE(run.boxOnMainThread) << scenario;
    EXPECT_EQ(run.boxText,
              "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1"
              "\r\n\r\n1375797249, 0\r\n\"探测窗口\"\r\n\"探测窗口\"\r\n")
        << scenario;
    EXPECT_EQ(run.exitCode, kErrorExit) << scenario;
    EXPECT_EQ(run.log, "") << scenario << ": the exit routines were dropped";
  }
}

}  // namespace
