# Shared part of the MinGW-w64 toolchain files; expects MNEMORA_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1)

# The -posix variants: std::thread does not build with the -win32 ones.
set(CMAKE_C_COMPILER ${MNEMORA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MNEMORA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MNEMORA_TRIPLE}-windres)

# The target's own library directory (where libz-mingw-w64-dev puts
# libz.a), asked from the compiler rather than assumed.
execute_process(
  COMMAND ${CMAKE_C_COMPILER} -print-file-name=libz.a
  OUTPUT_VARIABLE _mnemora_libz
  OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE _mnemora_rc)
if(NOT _mnemora_rc EQUAL 0 OR NOT IS_ABSOLUTE "${_mnemora_libz}")
  message(FATAL_ERROR "${CMAKE_C_COMPILER} not usable or libz.a not found; run tools/setup.sh")
endif()
get_filename_component(_mnemora_libz "${_mnemora_libz}" REALPATH)
get_filename_component(_mnemora_target_lib "${_mnemora_libz}" DIRECTORY)
get_filename_component(MNEMORA_TARGET_ROOT "${_mnemora_target_lib}" DIRECTORY)
set(MNEMORA_TARGET_ZLIB "${_mnemora_libz}" CACHE FILEPATH "The target's static zlib")

set(CMAKE_FIND_ROOT_PATH "${MNEMORA_TARGET_ROOT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program is self-contained: without the MinGW runtime DLLs beside
# it, a dynamically linked program exits with code 53 under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs target programs through the private Wine environment.
get_filename_component(CMAKE_CROSSCOMPILING_EMULATOR
  "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec.sh" ABSOLUTE)
