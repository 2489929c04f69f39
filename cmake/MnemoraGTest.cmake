# GoogleTest cross-built from the distribution's googletest sources, as
# part of this build (so it always matches the target and compiler).
# Provides GTest::gtest, GTest::gtest_main, GTest::gmock, GTest::gmock_main.
set(MNEMORA_GOOGLETEST_DIR "" CACHE PATH "googletest source tree (found via dpkg when empty)")
if(NOT MNEMORA_GOOGLETEST_DIR)
  # Ask the package where its sources are rather than assuming a path.
  execute_process(COMMAND dpkg-query -L googletest
    OUTPUT_VARIABLE _files RESULT_VARIABLE _rc ERROR_QUIET)
  if(_rc EQUAL 0)
    string(REPLACE "\n" ";" _files "${_files}")
    set(_best "")
    foreach(_f IN LISTS _files)
      if(_f MATCHES "/CMakeLists\\.txt$" AND EXISTS "${_f}")
        string(LENGTH "${_f}" _len)
        if(NOT _best OR _len LESS _best_len)
          set(_best "${_f}")
          set(_best_len ${_len})
        endif()
      endif()
    endforeach()
    if(_best)
      get_filename_component(_dir "${_best}" DIRECTORY)
      set(MNEMORA_GOOGLETEST_DIR "${_dir}" CACHE PATH "" FORCE)
    endif()
  endif()
endif()
if(NOT EXISTS "${MNEMORA_GOOGLETEST_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "googletest sources not found; run tools/setup.sh")
endif()

set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Use Windows' own threading in gtest rather than winpthreads.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
# SYSTEM: gtest headers are not subject to the project's -Werror.
# EXCLUDE_FROM_ALL: only built when a test links it.
add_subdirectory("${MNEMORA_GOOGLETEST_DIR}" "${CMAKE_BINARY_DIR}/googletest"
  EXCLUDE_FROM_ALL SYSTEM)
