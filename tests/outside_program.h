// What a second program of ours needs to drive the tool from outside, as
// the end-to-end tests and the benchmark do: files beside itself, scratch
// directories, the tool's windows by class, and GBK text across the
// UTF-16 boundary (text read as ANSI from another process does not always
// come back in the ANSI code page).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace mnemora::testing_support {

// A file beside this program's own.
std::string BesideThisProgram(const char* name);
// A new, empty directory in the temporary directory, named from prefix,
// this process and a serial number.
std::string NewScratchDirectory(const char* prefix);
// Deletes the directory with the files in it, read-only ones included.
void RemoveDirectoryTree(const std::string& directory);

std::string ClassOf(HWND window);
// The first top-level window of the process with this class, or null.
HWND ProgramWindowOfClass(DWORD processId, const char* className);

std::wstring Wide(std::string_view gbk);
std::string Gbk(std::wstring_view wide);

}  // namespace mnemora::testing_support
