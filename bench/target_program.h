// A program under measurement, driven from outside as a person would: the
// tool or the floor program, copied with an instruction file into a scratch
// directory of its own, started, and read and written through messages to
// its units. Texts are GBK; they travel as Unicode between the processes,
// since a text read as ANSI from another process does not always come back
// in the ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "bench/bench_clock.h"
#include "tests/outside_program.h"

namespace mnemora::bench {

enum class ProgramKind { kTool, kFloor };

class TargetProgram {
 public:
  // Copies the program from beside this one into a new scratch directory
  // and writes the instruction file there; nothing is started yet.
  TargetProgram(ProgramKind kind, const std::string& fileBytes);
  TargetProgram(const TargetProgram&) = delete;
  TargetProgram& operator=(const TargetProgram&) = delete;
  // Closes the window, ends the process and removes the directory.
  ~TargetProgram();

  // Starts the process; the load time counts from here. False when it did
  // not start.
  bool Start();
  // Waits until the window and its units are there and the count label
  // shows caption, polling every pollMs. The milliseconds since Start, or a
  // negative value when that did not happen within deadlineMs.
  double WaitForCaption(std::string_view caption, DWORD pollMs, double deadlineMs);

  ProgramKind Kind() const { return kind_; }
  HWND Window() const { return window_; }
  HWND queryBox = nullptr;
  HWND resultBox = nullptr;  // the tool's 编辑框_功能
  HWND list = nullptr;
  HWND countLabel = nullptr;
  HWND addButton = nullptr;     // the tool's only
  HWND modifyButton = nullptr;  // the tool's only
  HWND deleteButton = nullptr;  // the tool's only

  // The process's peak working set so far, in bytes.
  size_t PeakWorkingSet() const;

 private:
  bool FindUnits();

  ProgramKind kind_;
  std::string directory_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
  double startMs_ = 0;
};

// Unit access across processes; each waits for the unit's thread to answer.
std::wstring WideText(HWND unit);
// The length in UTF-16 units, as WM_GETTEXTLENGTH answers a Unicode caller.
size_t WideTextLength(HWND unit);
std::string GbkText(HWND unit);
void SetGbkText(HWND unit, std::string_view text);
int ListSelection(HWND list);
int ListCount(HWND list);
// A left click in the unit's middle, queued as the mouse queues it.
void Click(HWND unit);
// The round trip of a message that does nothing, in ms: how long the
// unit's thread took to get to it.
double RoundTripMs(HWND window);

using testing_support::Wide;

}  // namespace mnemora::bench
