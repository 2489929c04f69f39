# Test helpers. Every test program is a console program in the common
# output directory (build/<preset>/bin); the Windows ones run under the
# private Wine environment through CMAKE_CROSSCOMPILING_EMULATOR, the native
# ones directly.
#
# One ctest entry per test program, not per test case: a Wine launch costs
# a tenth of a second or more, and gtest_discover_tests would run the
# programs under Wine at build time.

set(MNEMORA_TEST_TIMEOUT 120 CACHE STRING "Seconds before ctest kills a test program")

# mnemora_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>]
#                  [DEPENDS <targets...>] [ARGS <args...>] [LOCKS <names...>])
# Builds a gtest program linked with gtest_main and registers it as one
# ctest entry. DEPENDS names further programs (e.g. small helper programs
# the test launches itself) that must be built before it; they land in the
# same directory, so the test finds them beside its own module path.
# LOCKS names what the program shares with others (RESOURCE_LOCK), so that
# ctest -j never runs two holders of one at once:
#   display    it shows windows, reads the screen or needs the focus
#   clipboard  it sets or reads the clipboard
#   system_directory  it places files in the prefix's system directory
function(mnemora_add_test)
  cmake_parse_arguments(PARSE_ARGV 0 T "" "NAME" "SOURCES;LIBS;DEPENDS;ARGS;LOCKS")
  if(NOT T_NAME OR NOT T_SOURCES)
    message(FATAL_ERROR "mnemora_add_test: NAME and SOURCES are required")
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE mnemora_options ${T_LIBS} GTest::gtest_main)
  if(MNEMORA_NATIVE)
    mnemora_native_sources(${T_NAME})
  else()
    target_link_options(${T_NAME} PRIVATE -mconsole)
  endif()
  if(T_DEPENDS)
    add_dependencies(${T_NAME} ${T_DEPENDS})
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${MNEMORA_TEST_TIMEOUT})
  if(T_LOCKS)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
endfunction()

# mnemora_add_program_test(NAME <test name> PROGRAM <target>
#                          [ARGS <args...>] [DEPENDS <targets...>] [LOCKS <names...>])
# Registers one ctest entry that runs an already defined program target
# with arguments under Wine; its exit code decides pass or fail. LOCKS as
# for mnemora_add_test.
function(mnemora_add_program_test)
  cmake_parse_arguments(PARSE_ARGV 0 T "" "NAME;PROGRAM" "ARGS;DEPENDS;LOCKS")
  if(NOT T_NAME OR NOT T_PROGRAM)
    message(FATAL_ERROR "mnemora_add_program_test: NAME and PROGRAM are required")
  endif()
  if(T_DEPENDS)
    add_dependencies(${T_PROGRAM} ${T_DEPENDS})
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_PROGRAM} ${T_ARGS})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${MNEMORA_TEST_TIMEOUT})
  if(T_LOCKS)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
endfunction()
