// The tool's own steps around the main window's start: the skin path at
// program entry, and in the window's creation sequence the single-instance
// check first, the skin after the instruction set is loaded, and the key
// monitor last.
#pragma once

#include <string>

namespace mnemora::app {

// Program entry, before the main window is loaded.
void ResolveSkinAtEntry();

// Creation step 1. Returns whether the window was asked to close because
// another copy runs; the remaining steps run all the same.
bool RefuseSecondCopy();

// Creation steps 3 and 4: the program directory's skin library is preferred
// now; the attachment's result does not matter.
void AttachSkinIfPresent();

// Creation step 6: the key monitor on the main window, reporting into
// 编辑框_监测按键; instructionText gives the text Ctrl+C looks words up in.
void InstallMainWindowKeyMonitor(std::string (*instructionText)());

// At program end.
void FreeStartGuards();

}  // namespace mnemora::app
