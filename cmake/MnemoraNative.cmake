# The native build (preset `native`): the Win32-free libraries built by the
# build machine's clang, under AddressSanitizer and UndefinedBehaviorSanitizer,
# with libFuzzer's coverage, for their unit tests and fuzz targets.
#
# Sources are UTF-8 and their narrow literals must be GBK bytes, which clang
# cannot produce from UTF-8 (it has no -fexec-charset=GBK). So the native
# build compiles GBK copies of the sources: every source and header of the
# project is transcoded into ${MNEMORA_INCLUDE_ROOT}, which stands in for
# the source tree on the include path, and clang is told to keep literal
# bytes it cannot read as UTF-8 (they are the GBK ones).
set(MNEMORA_INCLUDE_ROOT "${CMAKE_BINARY_DIR}/gbk")

set(_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
add_compile_options(${_sanitizers} -fsanitize=fuzzer-no-link -fno-omit-frame-pointer
  -Wno-invalid-source-encoding
  # Tables the program carries as constant data (the pinyin initials) are
  # expanded at compile time; clang's default step limit is below them.
  -fconstexpr-steps=100000000)
add_link_options(${_sanitizers})

file(GLOB_RECURSE _mnemora_sources CONFIGURE_DEPENDS
  RELATIVE "${PROJECT_SOURCE_DIR}"
  "${PROJECT_SOURCE_DIR}/runtime/*" "${PROJECT_SOURCE_DIR}/window/*"
  "${PROJECT_SOURCE_DIR}/commands/*" "${PROJECT_SOURCE_DIR}/app/*"
  "${PROJECT_SOURCE_DIR}/tests/*" "${PROJECT_SOURCE_DIR}/fuzz/*")
list(FILTER _mnemora_sources INCLUDE REGEX "\\.(cpp|h|inc)$")
set(_transcoder "${PROJECT_SOURCE_DIR}/tools/transcode-gbk.sh")
set(_outputs "")
foreach(_source IN LISTS _mnemora_sources)
  set(_output "${MNEMORA_INCLUDE_ROOT}/${_source}")
  add_custom_command(OUTPUT "${_output}"
    COMMAND "${_transcoder}" "${PROJECT_SOURCE_DIR}/${_source}" "${_output}"
    DEPENDS "${PROJECT_SOURCE_DIR}/${_source}" "${_transcoder}"
    VERBATIM)
  list(APPEND _outputs "${_output}")
endforeach()
add_custom_target(mnemora_gbk_sources DEPENDS ${_outputs})

# Compiles the target from the GBK copies of its own sources.
function(mnemora_native_sources target)
  get_target_property(_sources ${target} SOURCES)
  get_target_property(_dir ${target} SOURCE_DIR)
  set(_copies "")
  foreach(_source IN LISTS _sources)
    if(NOT IS_ABSOLUTE "${_source}")
      set(_source "${_dir}/${_source}")
    endif()
    file(RELATIVE_PATH _relative "${PROJECT_SOURCE_DIR}" "${_source}")
    # Generated sources (in the build tree) are written as bytes already.
    string(FIND "${_source}" "${CMAKE_BINARY_DIR}/" _in_build)
    if(_source MATCHES "\\.(cpp|h|inc)$" AND NOT _relative MATCHES "^\\.\\." AND
       NOT _in_build EQUAL 0)
      list(APPEND _copies "${MNEMORA_INCLUDE_ROOT}/${_relative}")
    else()
      list(APPEND _copies "${_source}")
    endif()
  endforeach()
  set_target_properties(${target} PROPERTIES SOURCES "${_copies}")
  add_dependencies(${target} mnemora_gbk_sources)
endfunction()
