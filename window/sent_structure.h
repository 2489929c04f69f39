// Structures that a control hands its parent in a message's lParam. Any
// program, and any thread, can send or post any message with any lParam,
// so such a pointer is read only when the whole structure lies in this
// thread's own stack, where a control of this thread builds the structures
// it sends. Anything else gives null: at worst the answer is a read of
// this stack's own bytes, never of an address someone else chose.
#pragma once

#include <windows.h>

#include <cstdint>

namespace mnemora {

template <typename Structure>
const Structure* StructureOnThisStack(LPARAM lParam) {
  // The committed part of this thread's stack: the pages around this frame
  // up to the stack's top, where the sender's frames lie.
  const int here = 0;
  MEMORY_BASIC_INFORMATION stack{};
  if (VirtualQuery(&here, &stack, sizeof stack) != sizeof stack) {
    return nullptr;
  }
  const auto low = reinterpret_cast<uintptr_t>(stack.BaseAddress);
  const auto high = low + stack.RegionSize;
  const auto start = static_cast<uintptr_t>(lParam);
  if (start < low || start > high || high - start < sizeof(Structure)) {
    return nullptr;
  }
  return reinterpret_cast<const Structure*>(start);
}

}  // namespace mnemora
