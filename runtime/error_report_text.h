// Building the text of the run-time error report. Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

namespace mnemora {

// How the report finds names among the window descriptions.
struct WindowLookup {
  // The window's name, or null when no description has this id.
  const char* (*windowName)(uint32_t windowId);
  // Unit 0 is the window's first unit. False when there is no such unit;
  // otherwise *unitId and *name are the unit's.
  bool (*findUnit)(uint32_t windowId, uint32_t unitIdOrZero, uint32_t* unitId, const char** name);
};

inline constexpr uint32_t kIdKindMask = 0x0F000000;
inline constexpr uint32_t kWindowIdKind = 0x02000000;
inline constexpr uint32_t kSubroutineIdKind = 0x04000000;

// "\r\n%d, %d", the window and unit names when A is a window id, "\r\n".
std::string BuildPositionText(int32_t positionA, int32_t positionB, const WindowLookup& lookup);

// The whole text shown in the report's message box, in GBK bytes.
std::string BuildErrorReportText(const char* message, int32_t code, int32_t positionA,
                                 int32_t positionB, const WindowLookup& lookup);

}  // namespace mnemora
