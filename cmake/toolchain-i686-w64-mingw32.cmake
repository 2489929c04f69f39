# 32-bit Windows target: compiled and linked with warnings as errors, never
# run here (this machine kind cannot execute 32-bit code).
set(MNEMORA_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR X86)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake")
