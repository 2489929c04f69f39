// The window system's answers to the runtime service function.
#pragma once

#include <cstdint>

namespace mnemora {

namespace window_service {
inline constexpr int32_t kWindowSet = 1001;
inline constexpr int32_t kKindDescriptor = 1002;
inline constexpr int32_t kObjectDestroyed = 2000;
inline constexpr int32_t kLiveObject = 2006;
inline constexpr int32_t kLiveObjectOrError = 2007;
inline constexpr int32_t kEventSource = 2017;
inline constexpr int32_t kUnitKind = 2022;
inline constexpr int32_t kWindowCount = 2032;
inline constexpr int32_t kWindowHandle = 2033;
}  // namespace window_service

// *handled stays false for codes this does not answer.
intptr_t WindowSystemService(int32_t code, intptr_t parameter1, intptr_t parameter2, bool* handled);

}  // namespace mnemora
