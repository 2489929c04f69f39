// Driving the real program from outside, as a person at the keyboard and
// mouse would: the program runs in a directory of its own, input arrives
// in its message queue (characters, keys, clicks), and what the tests look
// at is what the person sees (box texts, list items, the count label, the
// help picture) and the instruction file's bytes.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mnemora::testing_support {

class RunningApp {
 public:
  // Copies the program beside this test into a new directory, puts the
  // instruction file there when fileBytes is given, starts it and waits for
  // its window to be ready. With queryHold, the name of an event, every
  // query worker of the program waits before it searches until the event
  // is set or a newer action supersedes it. beforeStart, when given, is
  // called with the instruction file's path just before the program starts.
  explicit RunningApp(std::optional<std::string> fileBytes = std::nullopt,
                      const std::string& queryHold = {},
                      const std::function<void(const std::string&)>& beforeStart = {});
  RunningApp(const RunningApp&) = delete;
  RunningApp& operator=(const RunningApp&) = delete;
  // Closes the window, ends the program and removes its directory.
  ~RunningApp();

  bool Started() const { return mainWindow_ != nullptr; }
  bool Alive() const;
  // Closes the window as its close box does and waits for the program to
  // end: its exit code, or nothing when it did not end in time.
  std::optional<DWORD> Close();
  // Waits for the program to end by itself, as Close does.
  std::optional<DWORD> WaitForExit();
  // A message box of the program's is on the screen (a run-time report).
  bool ShowsMessageBox() const;
  const std::string& FilePath() const { return filePath_; }
  std::string FileBytes() const;
  // The backup an edit keeps of the file; nothing when there is none.
  std::optional<std::string> BackupBytes() const;

  // The units a person looks at and clicks.
  HWND queryBox = nullptr;       // 编辑框_查询
  HWND annotationBox = nullptr;  // 编辑框_功能
  HWND list = nullptr;           // 列表框1
  HWND countLabel = nullptr;     // 标签_指令个数
  HWND addButton = nullptr;
  HWND modifyButton = nullptr;
  HWND deleteButton = nullptr;
  HWND formatLabel = nullptr;  // 透明标签1, "格式"
  HWND deleteLabel = nullptr;  // 透明标签2, "删除"
  HWND helpPanel = nullptr;    // 画板1
  HWND monitorBox = nullptr;   // 编辑框_监测按键
  HWND mainWindow = nullptr;
  HWND hideOwner = nullptr;  // the runtime's hidden owner window
  // Every window of the program: the hidden owner, the main window and all
  // of its descendants.
  std::vector<HWND> AllWindows() const;

  // Input, queued as the keyboard and mouse queue it. Text is GBK.
  void Type(HWND box, std::string_view text) const;
  void PressKey(HWND unit, UINT key) const;
  // A system key as the keyboard queues it for the focused unit, with the
  // message's Alt bit or (F10 alone) without. F10 is pressed only: its
  // release would open the window menu.
  void PressSystemKey(HWND unit, UINT key, bool withAlt) const;
  void Click(HWND unit) const;
  void DoubleClick(HWND unit) const;
  // Queues what queue() posts while the program's window thread is
  // stopped: all of it is waiting by the time the first of it is handled.
  void QueueTogether(const std::function<void()>& queue) const;
  // Clicks list item index, which must be in view.
  void ClickItem(int index) const;
  // Empties the query the quickest way: a double click on it.
  void ClearQuery() const { DoubleClick(queryBox); }

  // What is on the screen.
  std::string Text(HWND unit) const;
  std::vector<std::string> Items() const;
  int ItemCount() const;
  // The index of the item that is exactly text, or -1.
  int FindItem(std::string_view text) const;
  int Selection() const;
  // For each line of the box at least column + 1 characters long, the
  // x position in pixels at which character column is drawn.
  std::vector<int> ColumnPositions(HWND box, int column) const;
  bool Visible(HWND unit) const { return IsWindowVisible(unit) != FALSE; }
  HWND Focus() const;

  // Returns once the program has handled every input queued so far and
  // no query worker is running any more. False when that takes too long.
  bool Settle() const;
  // Waits until done() holds; false when it does not within the deadline.
  bool WaitUntil(const std::function<bool()>& done) const;
  // Returns once everything queued so far has been handled.
  bool Drain() const;

 private:
  void Post(HWND unit, UINT message, WPARAM wParam, LPARAM lParam) const;
  int ThreadCount() const;
  void FindUnits();

  std::string directory_;
  std::string filePath_;
  PROCESS_INFORMATION process_{};
  HWND mainWindow_ = nullptr;
  bool ended_ = false;
  int idleThreads_ = 0;
  mutable unsigned markers_ = 0;
};

}  // namespace mnemora::testing_support
