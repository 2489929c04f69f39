// The application's program header, its constant area and its declared DLL
// functions.
#pragma once

#include <cstdint>

#include "runtime/program_header.h"

namespace mnemora::app {

inline constexpr uint32_t kMainWindowId = 0x52010001;

// Declaration numbers of the application's DLL functions.
namespace dll {
inline constexpr int32_t kGetSystemDirectory = 0;
inline constexpr int32_t kEnumWindows = 1;
inline constexpr int32_t kGetWindowText = 2;
inline constexpr int32_t kSkinAttachResource = 3;
inline constexpr int32_t kSetWindowLong = 4;
inline constexpr int32_t kRegisterRawInputDevices = 5;
inline constexpr int32_t kCallWindowProc = 6;
inline constexpr int32_t kGetRawInputData = 7;
inline constexpr int32_t kGetForegroundWindow = 8;
inline constexpr int32_t kGetForegroundWindowText = 9;
inline constexpr uint32_t kDeclarationCount = 10;
}  // namespace dll

const ProgramHeader& MnemoraProgramHeader();

}  // namespace mnemora::app
