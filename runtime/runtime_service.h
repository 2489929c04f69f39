// The function through which support libraries reach the runtime.
#pragma once

#include <cstdint>

namespace mnemora {

namespace runtime_service {
inline constexpr int32_t kDefaultIcons = 1000;
inline constexpr int32_t kAddIdleCallback = 1012;
inline constexpr int32_t kRemoveIdleCallback = 1013;
inline constexpr int32_t kToInteger = 2001;
inline constexpr int32_t kProgramDirectory = 2003;
inline constexpr int32_t kProgramFileName = 2004;
inline constexpr int32_t kCallEventHandler = 2008;
inline constexpr int32_t kSuppressEvents = 2009;
inline constexpr int32_t kAllowEvents = 2010;
inline constexpr int32_t kProcessPendingMessages = 2018;
inline constexpr int32_t kFreeArray = 2023;
inline constexpr int32_t kAllocate = 2024;
inline constexpr int32_t kFree = 2025;
inline constexpr int32_t kReallocate = 2026;
inline constexpr int32_t kRaiseError = 2027;
inline constexpr int32_t kEndProgram = 2028;
inline constexpr int32_t kUnitKindClass = 2029;
inline constexpr int32_t kRunMode = 2030;
inline constexpr int32_t kCallTypedEventHandler = 2031;
}  // namespace runtime_service

// Codes the runtime does not know, and that the window system does not
// answer, give 0.
intptr_t RuntimeService(int32_t code, intptr_t parameter1, intptr_t parameter2);

}  // namespace mnemora
