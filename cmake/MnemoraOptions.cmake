# Compile and link settings shared by all project code, as an INTERFACE
# target: link `mnemora_options` into every project library and program.
add_library(mnemora_options INTERFACE)
target_compile_features(mnemora_options INTERFACE cxx_std_20)
target_compile_options(mnemora_options INTERFACE -Wall -Wextra -Werror)
if(MNEMORA_NATIVE)
  # Sources arrive as GBK copies (cmake/MnemoraNative.cmake); the host's
  # libpng decodes the pictures.
  find_package(PNG REQUIRED)
  add_library(mnemora_png INTERFACE)
  target_link_libraries(mnemora_png INTERFACE PNG::PNG)
  return()
endif()
target_compile_options(mnemora_options INTERFACE
  # Sources are UTF-8; every narrow literal becomes GBK bytes (code page 936).
  -finput-charset=UTF-8 -fexec-charset=GBK)
target_compile_definitions(mnemora_options INTERFACE
  WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# No MinGW runtime DLLs beside the program.
target_link_options(mnemora_options INTERFACE -static -static-libgcc -static-libstdc++)

# Static libpng, cross-built by tools/setup.sh into deps/<triple>/,
# plus the target's own static zlib.
set(MNEMORA_DEPS_DIR "${PROJECT_SOURCE_DIR}/deps/${MNEMORA_TRIPLE}"
  CACHE PATH "Cross-built dependencies for this target")
find_library(MNEMORA_LIBPNG NAMES libpng16.a libpng.a
  PATHS "${MNEMORA_DEPS_DIR}/lib" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_path(MNEMORA_PNG_INCLUDE png.h
  PATHS "${MNEMORA_DEPS_DIR}/include" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT MNEMORA_LIBPNG OR NOT MNEMORA_PNG_INCLUDE)
  message(FATAL_ERROR
    "libpng for ${MNEMORA_TRIPLE} not found in ${MNEMORA_DEPS_DIR}; run tools/setup.sh")
endif()
add_library(mnemora_png INTERFACE)
# SYSTEM: warnings in third-party headers must not fail project code.
target_include_directories(mnemora_png SYSTEM INTERFACE "${MNEMORA_PNG_INCLUDE}")
target_link_libraries(mnemora_png INTERFACE "${MNEMORA_LIBPNG}" "${MNEMORA_TARGET_ZLIB}")
