# SPDX-License-Identifier: GPL-3.0-or-later
# Checks or fixes the formatting of the project's C++ files with clang-format
# and the .clang-format at the top:
#   cmake -DSOURCE_DIR=<project> -DCLANG_FORMAT=<program> -DMODE=check|fix -P ClangFormat.cmake
# The files are the ones git knows (tracked, or new and not ignored) under
# src, tests, bench, fuzz and res/tools; without git, every such file there.
cmake_minimum_required(VERSION 3.25)

set(folders src tests bench fuzz res/tools)
if(NOT CLANG_FORMAT)
  message(FATAL_ERROR "clang-format was not found; scripts/install-deps.sh installs it")
endif()

find_package(Git QUIET)
set(listed "")
if(GIT_FOUND AND EXISTS ${SOURCE_DIR}/.git)
  execute_process(COMMAND ${GIT_EXECUTABLE} ls-files --cached --others --exclude-standard -- ${folders}
                  WORKING_DIRECTORY ${SOURCE_DIR}
                  OUTPUT_VARIABLE listed RESULT_VARIABLE git_result)
  if(NOT git_result EQUAL 0)
    set(listed "")
  endif()
  string(REPLACE "\n" ";" listed "${listed}")
else()
  foreach(folder ${folders})
    file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*)
    list(APPEND listed ${found})
  endforeach()
endif()

set(files "")
foreach(file ${listed})
  if(file MATCHES "\\.(h|cpp)$" AND EXISTS ${SOURCE_DIR}/${file})
    list(APPEND files ${file})
  endif()
endforeach()
list(REMOVE_DUPLICATES files)
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "no C++ files found under ${folders} in ${SOURCE_DIR}")
endif()

if(MODE STREQUAL "fix")
  execute_process(COMMAND ${CLANG_FORMAT} -i ${files}
                  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "clang-format failed")
  endif()
  message(STATUS "Formatted ${count} files")
else()
  execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files}
                  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Files above are not formatted: run `cmake --build <build> --target format`")
  endif()
  message(STATUS "${count} files are formatted")
endif()
