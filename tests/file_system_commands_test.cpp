#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "commands/file_system_commands.h"
#include "runtime/runtime_app.h"
#include "runtime/window_system_hooks.h"
#include "tests/command_test_support.h"
#include "window/form_description.h"
#include "window/units/window_block.h"
#include "window/units/window_kind.h"
#include "window/window_set.h"

namespace mnemora {
namespace {

using testing_support::Call;
using testing_support::TakeBytes;
using testing_support::TakeText;

ArgValue T(const std::string& text) {
  return ArgValue::Text(text.c_str());
}
ArgValue I(int32_t value) {
  return ArgValue::Integer(value);
}

// A fresh directory of the test's own, removed with everything in it.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    path_ = std::string(temp) + "mnemora_fs_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(serial++);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchDirectory() {
    for (const std::string& name : Names()) {
      const std::string file = Path(name);
      SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileA(file.c_str())) {
        RemoveDirectoryA(file.c_str());
      }
    }
    RemoveDirectoryA(path_.c_str());
  }
  std::string Path(const std::string& name) const { return path_ + "\\" + name; }
  const std::string& Get() const { return path_; }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      return names;
    }
    do {
      if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
        names.push_back(found.cFileName);
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
  }

 private:
  std::string path_;
};

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

// A byte-set argument that owns its block.
class ByteSetArg {
 public:
  explicit ByteSetArg(const std::string& bytes) : block_(MakeByteSet(bytes.data(), bytes.size())) {}
  ~ByteSetArg() { MemFree(block_); }
  ArgValue Get() const { return ArgValue::ByteSet(block_); }

 private:
  void* block_;
};

TEST(ReadWholeFileTest, GivesTheBytesOrTheEmptyByteSet) {
  ScratchDirectory dir;
  const std::string data("汇编\0mov\r\n", 10);
  WriteFileBytes(dir.Path("data.bin"), data);
  WriteFileBytes(dir.Path("empty.bin"), "");
  EXPECT_EQ(TakeBytes(Call(ReadWholeFile, {T(dir.Path("data.bin"))})), data);
  EXPECT_EQ(TakeBytes(Call(ReadWholeFile, {T(dir.Path("empty.bin"))})), "(null)");
  EXPECT_EQ(TakeBytes(Call(ReadWholeFile, {T(dir.Path("missing.bin"))})), "(null)");
  EXPECT_EQ(TakeBytes(Call(ReadWholeFile, {T("")})), "(null)");
  EXPECT_EQ(TakeBytes(Call(ReadWholeFile, {T(dir.Get())})), "(null)");
}

TEST(ReadWholeFileTest, SharesWithReadersButNotWithWriters) {
  ScratchDirectory dir;
  const std::string path = dir.Path("data.bin");
  WriteFileBytes(path, "abc");
  HANDLE reader =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(TakeBytes(Call(ReadWholeFile, {T(path)})), "abc");
  CloseHandle(reader);
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(TakeBytes(Call(ReadWholeFile, {T(path)})), "(null)");
  CloseHandle(writer);
}

TEST(WriteWholeFileTest, WritesByteSetsInOrderAndLeavesNoTemporaryFile) {
  ScratchDirectory dir;
  const std::string path = dir.Path("指令.txt");
  WriteFileBytes(path, "old content that is longer");
  const ByteSetArg first("mov  传送\r\n");
  const ByteSetArg second(std::string("\0add", 4));
  EXPECT_TRUE(Call(WriteWholeFile, {T(path), first.Get(), second.Get()}).low);
  EXPECT_EQ(FileBytes(path), std::string("mov  传送\r\n\0add", 15));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"指令.txt"});

  const std::string fresh = dir.Path("new.txt");
  EXPECT_TRUE(Call(WriteWholeFile, {T(fresh), first.Get()}).low);
  EXPECT_EQ(FileBytes(fresh), "mov  传送\r\n");
}

TEST(WriteWholeFileTest, OnlyEmptyByteSetsMakeAnEmptyFile) {
  ScratchDirectory dir;
  const std::string path = dir.Path("data.txt");
  WriteFileBytes(path, "old");
  // Callers pass a static empty byte set; null is accepted as well.
  static const uint32_t kEmptyByteSet[2] = {1, 0};
  EXPECT_TRUE(
      Call(WriteWholeFile, {T(path), ArgValue::ByteSet(kEmptyByteSet), ArgValue::ByteSet(nullptr)})
          .low);
  EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(FileBytes(path), "");
  EXPECT_TRUE(Call(WriteWholeFile, {T(dir.Path("none.txt"))}).low);
  EXPECT_EQ(FileBytes(dir.Path("none.txt")), "");
}

TEST(WriteWholeFileTest, RefusedTargetsStayByteForByteUnchanged) {
  ScratchDirectory dir;
  const ByteSetArg bytes("new");
  EXPECT_FALSE(Call(WriteWholeFile, {T(""), bytes.Get()}).low);
  EXPECT_FALSE(Call(WriteWholeFile, {T(dir.Path("no_such_dir\\x.txt")), bytes.Get()}).low);
  EXPECT_FALSE(Call(WriteWholeFile, {T(dir.Get()), bytes.Get()}).low);

  const std::string readOnly = dir.Path("read_only.txt");
  WriteFileBytes(readOnly, "kept");
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(Call(WriteWholeFile, {T(readOnly), bytes.Get()}).low);
  EXPECT_EQ(FileBytes(readOnly), "kept");

  // Held open by another program that lets others read but not write.
  const std::string locked = dir.Path("locked.txt");
  WriteFileBytes(locked, "kept too");
  HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Call(WriteWholeFile, {T(locked), bytes.Get()}).low);
  EXPECT_EQ(FileBytes(locked), "kept too");
  CloseHandle(holder);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"locked.txt", "read_only.txt"}));
  EXPECT_TRUE(Call(WriteWholeFile, {T(locked), bytes.Get()}).low);
  EXPECT_EQ(FileBytes(locked), "new");
}

TEST(WriteWholeFileTest, FailurePartWayLeavesTheOldFileWhole) {
  ScratchDirectory dir;
  const std::string path = dir.Path("data.txt");
  WriteFileBytes(path, "the old file");
  // A byte set that claims more bytes than can be read: its write fails
  // after the byte set before it was written.
  auto* pages =
      static_cast<uint8_t*>(VirtualAlloc(nullptr, 8192, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD oldProtection;
  ASSERT_TRUE(VirtualProtect(pages + 4096, 4096, PAGE_NOACCESS, &oldProtection));
  uint8_t* unreadable = pages + 4096 - 16;
  const uint32_t header[2] = {1, 5000};
  std::memcpy(unreadable, header, sizeof header);
  const ByteSetArg first("first part");
  EXPECT_FALSE(Call(WriteWholeFile, {T(path), first.Get(), ArgValue::ByteSet(unreadable)}).low);
  EXPECT_EQ(FileBytes(path), "the old file");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"data.txt"});
  VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(WriteWholeFileTest, WritesInPlaceWhenNoTemporaryNameFitsBeside) {
  ScratchDirectory dir;
  // A name that leaves fewer than a temporary suffix's bytes of MAX_PATH.
  const std::string path = dir.Path(std::string(MAX_PATH - 6 - dir.Get().size(), 'n'));
  WriteFileBytes(path, "old");
  ASSERT_EQ(FileBytes(path), "old");
  const std::string longer = path + ".1-0.tmp";
  ASSERT_EQ(CreateFileA(longer.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr),
            INVALID_HANDLE_VALUE);
  const ByteSetArg bytes("written in place");
  EXPECT_TRUE(Call(WriteWholeFile, {T(path), bytes.Get()}).low);
  EXPECT_EQ(FileBytes(path), "written in place");
}

TEST(FileExistsTest, MatchesFilesDirectoriesAndWildcards) {
  ScratchDirectory dir;
  WriteFileBytes(dir.Path("汇编指令集.txt"), "x");
  EXPECT_TRUE(Call(FileExists, {T(dir.Path("汇编指令集.txt"))}).low);
  EXPECT_TRUE(Call(FileExists, {T(dir.Get())}).low);
  EXPECT_TRUE(Call(FileExists, {T(dir.Path("*.txt"))}).low);
  EXPECT_FALSE(Call(FileExists, {T(dir.Path("*.dll"))}).low);
  EXPECT_FALSE(Call(FileExists, {T(dir.Path("missing.txt"))}).low);
  EXPECT_FALSE(Call(FileExists, {T("")}).low);
}

TEST(SystemCommandsTest, RunDirectoryIsACopy) {
  RuntimeApp& app = TheRuntimeApp();
  app.programDirectory = "C:\\程序\\bin";
  const ArgValue directory = Call(GetRunDirectory, {});
  EXPECT_NE(directory.AsPointer(), app.programDirectory.c_str());
  EXPECT_EQ(TakeText(directory), "C:\\程序\\bin");
  app.programDirectory.clear();
  EXPECT_EQ(TakeText(Call(GetRunDirectory, {})), "(null)");
}

void PutOnClipboard(const std::string& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  if (!text.empty()) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
  }
  CloseClipboard();
}

TEST(SystemCommandsTest, ClipboardTextOrTheEmptyText) {
  PutOnClipboard("汇编 mov");
  EXPECT_EQ(TakeText(Call(GetClipboardText, {})), "汇编 mov");
  PutOnClipboard("");
  EXPECT_EQ(TakeText(Call(GetClipboardText, {})), "(null)");
}

TEST(SystemCommandsTest, DelayClampsNegativeTimes) {
  std::atomic<bool> returned{false};
  std::thread sleeper([&returned] {
    Call(Delay, {I(-10)});
    returned = true;
  });
  for (int i = 0; i < 200 && !returned; ++i) {
    Sleep(10);
  }
  EXPECT_TRUE(returned) << "Delay(-10) slept";
  if (!returned) {
    sleeper.detach();  // it would sleep for weeks
  } else {
    sleeper.join();
  }
  // <chrono> cannot be compiled with the GBK execution character set.
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  Call(Delay, {I(60)});
  QueryPerformanceCounter(&end);
  EXPECT_GE((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart, 59);
}

int g_userMessages = 0;
LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) {
    ++g_userMessages;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(SystemCommandsTest, ProcessEventsDispatchesAndLeavesQuitQueued) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CountingProcedure;
  windowClass.lpszClassName = "MnemoraCountingWindow";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "MnemoraCountingWindow", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  g_userMessages = 0;
  PostMessageA(window, WM_USER, 0, 0);
  PostMessageA(window, WM_USER, 0, 0);
  Call(ProcessEvents, {});
  EXPECT_EQ(g_userMessages, 2);

  PostQuitMessage(3);
  PostMessageA(window, WM_USER, 0, 0);
  Call(ProcessEvents, {});
  EXPECT_EQ(g_userMessages, 3);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 3u);
  DestroyWindow(window);
}

// What a person sees of a message box, read on another thread while the
// box waits, which then presses one of its buttons.
struct BoxSighting {
  bool seen = false;
  std::string text;
  HWND owner = nullptr;
  bool otherWindowEnabled = true;
  bool topmost = false;
  std::vector<int> buttons;
};

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM parameter) {
  auto* sighting = reinterpret_cast<BoxSighting*>(parameter);
  char className[32] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child)) {
    sighting->buttons.push_back(GetDlgCtrlID(child));
  } else if (lstrcmpiA(className, "Static") == 0) {
    // The length is an upper bound for multibyte text: cut at the terminator.
    std::string text(static_cast<size_t>(GetWindowTextLengthA(child)) + 1, '\0');
    GetWindowTextA(child, text.data(), static_cast<int>(text.size()));
    text.resize(text.find('\0'));
    if (text.size() > sighting->text.size()) {
      sighting->text = text;
    }
  }
  return TRUE;
}

class BoxWatcher {
 public:
  BoxWatcher(const char* caption, int press, HWND otherWindow)
      : thread_([this, caption, press, otherWindow] { Watch(caption, press, otherWindow); }) {}
  BoxSighting Finish() {
    thread_.join();
    return sighting_;
  }

 private:
  void Watch(const char* caption, int press, HWND otherWindow) {
    for (int i = 0; i < 500; ++i) {
      HWND box = FindWindowA("#32770", caption);
      if (box != nullptr && IsWindowVisible(box)) {
        sighting_.seen = true;
        sighting_.owner = GetWindow(box, GW_OWNER);
        sighting_.otherWindowEnabled = IsWindowEnabled(otherWindow) != 0;
        sighting_.topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        EnumChildWindows(box, ReadBoxChild, reinterpret_cast<LPARAM>(&sighting_));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED), 0);
        return;
      }
      Sleep(20);
    }
  }

  BoxSighting sighting_;
  std::thread thread_;
};

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    other_ = CreateWindowExA(0, "STATIC", "other window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other_, nullptr);
  }
  void TearDown() override { DestroyWindow(other_); }

  // Shows the box with the arguments and presses the button; the result
  // and what was seen of the box.
  int32_t Show(std::initializer_list<ArgValue> args, const char* caption, int press,
               BoxSighting* sighting) {
    BoxWatcher watcher(caption, press, other_);
    const int32_t pressed = Call(MessageBox, args).AsInt32();
    *sighting = watcher.Finish();
    EXPECT_TRUE(sighting->seen) << caption;
    return pressed;
  }

  HWND other_ = nullptr;
};

TEST_F(MessageBoxTest, TheApplicationsWarningBox) {
  BoxSighting box;
  const std::string caption = "禁止重复运行";
  const int32_t owner = static_cast<int32_t>(reinterpret_cast<intptr_t>(other_));
  EXPECT_EQ(Show({T("您已经运行了一个相同的程序!"), I(0x30), T(caption), I(owner)}, caption.c_str(),
                 IDOK, &box),
            0);
  EXPECT_EQ(box.text, "您已经运行了一个相同的程序!");
  EXPECT_EQ(box.owner, other_);
  EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
}

TEST_F(MessageBoxTest, ButtonsAreRenumberedFromZero) {
  struct Case {
    int32_t flags;
    int press;
    int32_t expected;
  };
  const Case cases[] = {
      {3, IDCANCEL, 1}, {3, IDYES, 5},   {3, IDNO, 6},     {1, IDOK, 0},
      {2, IDABORT, 2},  {2, IDRETRY, 3}, {2, IDIGNORE, 4}, {5, IDRETRY, 3},
  };
  for (const Case& c : cases) {
    BoxSighting box;
    EXPECT_EQ(Show({T("?"), I(c.flags)}, "信息：", c.press, &box), c.expected)
        << c.flags << " " << c.press;
  }
}

TEST_F(MessageBoxTest, TaskModalUnlessSystemModalIsAsked) {
  BoxSighting box;
  Show({I(42)}, "信息：", IDOK, &box);
  EXPECT_EQ(box.text, "42");
  EXPECT_FALSE(box.otherWindowEnabled);  // every window of the task waits
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_TRUE(IsWindowEnabled(other_));

  Show({ArgValue::Boolean(true), I(0x1000), T("系统")}, "系统", IDOK, &box);
  EXPECT_EQ(box.text, "真");
  EXPECT_TRUE(box.otherWindowEnabled);
  EXPECT_TRUE(box.topmost);
}

// A window of the real window system with no units, loaded so that a
// window reference has a native window behind it.
class LoadedWindow {
 public:
  static constexpr uint32_t kId = 0x52010001;

  LoadedWindow() {
    TheRuntimeApp().libraries = {&library_};
    InstallFormWindowSystem();
    UnitRecordFields window;
    window.kind = kWindowKind;
    window.width = 200;
    window.height = 100;
    window.mousePointer = Bytes(4, 0);
    window.stateFlags = 1;
    window.propertyBlock = WritePropertyBlock(WindowProperties{});
    WindowDescription description;
    description.windowId = kId;
    description.secondDword = 0x19010003;
    description.table.ids = {0x06010000};
    description.table.records = {BuildUnitRecord(window)};
    AddWindowDescriptions({description});
    kEntryTable.LoadWindow(kId);
  }
  ~LoadedWindow() {
    FreeWindows();
    InstallWindowSystem(EmptyWindowSystem());
    TheRuntimeApp().libraries.clear();
  }
  HWND Native() const { return NativeWindowOf(*FindLiveWindow(kId)); }

 private:
  const LibraryInfo library_{"", "core", nullptr, 1, &kWindowKindDescriptor, 0, nullptr};
};

TEST_F(MessageBoxTest, OwnerByWindowReferenceAndContentOfOtherTypes) {
  const LoadedWindow window;
  ASSERT_NE(window.Native(), nullptr);
  BoxSighting box;
  Show({ArgValue::Double(2.5), I(0), T("日期"),
        ArgValue{LoadedWindow::kId, 0, type_code::kWindowReference}},
       "日期", IDOK, &box);
  EXPECT_EQ(box.text, "2.5");
  EXPECT_EQ(box.owner, window.Native());

  // A reference to a window that is not loaded means no owner.
  Show({ArgValue::DateTime(36526.5), I(0), T("日期"),
        ArgValue{0x52010002, 0, type_code::kWindowReference}},
       "日期", IDOK, &box);
  EXPECT_EQ(box.text, "2000年1月1日12时");
  EXPECT_EQ(box.owner, nullptr);
}

}  // namespace
}  // namespace mnemora
