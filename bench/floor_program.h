// What the benchmark driver needs to know of the floor program: its window
// class and the control ids of the units it reads and writes.
#pragma once

namespace mnemora::bench::floor_program {

inline constexpr char kWindowClass[] = "MnemoraBenchFloor";
inline constexpr int kList = 101;
inline constexpr int kCountLabel = 102;
inline constexpr int kQueryBox = 103;
inline constexpr int kResultBox = 104;

}  // namespace mnemora::bench::floor_program
