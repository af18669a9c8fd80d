# SPDX-License-Identifier: GPL-3.0-or-later
# The developer's tools over the source tree:
#   format        rewrites every C++ file with clang-format
#   format-check  fails on any file that clang-format would change (also the
#                 CTest test format_check, label lint)
#   tidy          clang-tidy (.clang-tidy) over src/ with this build's
#                 compile_commands.json; slow, so not part of the tests
find_program(KEYHAVEN_CLANG_FORMAT NAMES clang-format-14 clang-format)
find_program(KEYHAVEN_RUN_CLANG_TIDY NAMES run-clang-tidy-14 run-clang-tidy)
find_program(KEYHAVEN_CLANG_TIDY NAMES clang-tidy-14 clang-tidy)

set(keyhaven_format_command ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
    -DCLANG_FORMAT=${KEYHAVEN_CLANG_FORMAT} -P ${PROJECT_SOURCE_DIR}/cmake/ClangFormat.cmake)
add_custom_target(format COMMAND ${CMAKE_COMMAND} -DMODE=fix ${keyhaven_format_command}
                  COMMENT "clang-format over src, tests, bench, fuzz and res/tools" VERBATIM)
add_custom_target(format-check COMMAND ${CMAKE_COMMAND} -DMODE=check ${keyhaven_format_command}
                  COMMENT "Checking the format of src, tests, bench, fuzz and res/tools" VERBATIM)

if(KEYHAVEN_RUN_CLANG_TIDY AND KEYHAVEN_CLANG_TIDY)
  include(ProcessorCount)
  ProcessorCount(keyhaven_cores)
  if(keyhaven_cores EQUAL 0)
    set(keyhaven_cores 1)
  endif()
  # The generated sources (moc, rcc) are left out; the headers that a moc file
  # needs are made by building the libraries first. A compiler flag that only
  # g++ knows is not a finding.
  add_custom_target(tidy
    COMMAND ${KEYHAVEN_RUN_CLANG_TIDY} -p ${CMAKE_BINARY_DIR} -quiet -j ${keyhaven_cores}
            -clang-tidy-binary ${KEYHAVEN_CLANG_TIDY}
            -extra-arg=-Wno-unknown-warning-option
            -header-filter=^${PROJECT_SOURCE_DIR}/src/
            ^${PROJECT_SOURCE_DIR}/src/.*\\.cpp$
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "clang-tidy over src/ (takes minutes)"
    USES_TERMINAL VERBATIM)
  foreach(library keyhaven_core keyhaven_platform keyhaven_gui)
    if(TARGET ${library})
      add_dependencies(tidy ${library})
    endif()
  endforeach()
else()
  add_custom_target(tidy COMMAND ${CMAKE_COMMAND} -E false
                    COMMENT "clang-tidy and run-clang-tidy are missing: apt-get install clang-tidy")
endif()
