# The developer's tools over the source tree:
#   format        rewrites every C++ file with clang-format
#   format-check  fails on any file that clang-format would change (also the
#                 CTest test format_check, label lint)
find_program(KEYHAVEN_CLANG_FORMAT NAMES clang-format-14 clang-format)

set(keyhaven_format_command ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
    -DCLANG_FORMAT=${KEYHAVEN_CLANG_FORMAT} -P ${PROJECT_SOURCE_DIR}/cmake/ClangFormat.cmake)
add_custom_target(format COMMAND ${CMAKE_COMMAND} -DMODE=fix ${keyhaven_format_command}
                  COMMENT "clang-format over src, tests, bench, fuzz and res/tools" VERBATIM)
add_custom_target(format-check COMMAND ${CMAKE_COMMAND} -DMODE=check ${keyhaven_format_command}
                  COMMENT "Checking the format of src, tests, bench, fuzz and res/tools" VERBATIM)
