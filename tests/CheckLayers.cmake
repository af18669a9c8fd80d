# SPDX-License-Identifier: GPL-3.0-or-later
# The include scan: run as cmake -DSOURCE_DIR=<project> -P CheckLayers.cmake.
# Fails when
#   - a file under src/core includes a Qt header,
#   - an include goes up the layers (core knows nothing above it; platform
#     knows core; gui knows platform and core; cli knows core),
#   - two folders include each other,
#   - a folder includes one its rules forbid (gui/view never includes gui/shell).
# Folders are the ones that hold the files ("core/store", "gui/view").
cmake_minimum_required(VERSION 3.25)

set(allowed_core core)
set(allowed_platform core platform)
set(allowed_gui core platform gui)
set(allowed_cli core cli)
set(allowed_app core platform gui app)
# Folders of one layer that must not include another: the view is handed
# what it needs from the window around it, and never reaches up into it.
set(folder_rules "gui/view>gui/shell")

set(failures "")
set(edges "")
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
foreach(file ${files})
  get_filename_component(folder ${file} DIRECTORY)
  string(REGEX MATCH "^[^/]+" layer ${file})
  file(STRINGS ${SOURCE_DIR}/src/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line ${includes})
    string(REGEX MATCH "[<\"]([^>\"]+)[>\"]" _ "${line}")
    set(target "${CMAKE_MATCH_1}")
    if(layer STREQUAL "core" AND target MATCHES "^Q[A-Za-z]*(/|$)")
      list(APPEND failures "src/${file}: Qt in core: ${target}")
      continue()
    endif()
    if(NOT line MATCHES "\"" OR NOT target MATCHES "/")
      continue()
    endif()
    get_filename_component(target_folder ${target} DIRECTORY)
    string(REGEX MATCH "^[^/]+" target_layer ${target})
    if(NOT DEFINED allowed_${layer})
      list(APPEND failures "src/${file}: file outside the layer folders")
      continue()
    endif()
    if(NOT target_layer IN_LIST allowed_${layer})
      list(APPEND failures "src/${file}: ${layer} includes ${target}")
    endif()
    if(NOT target_folder STREQUAL folder)
      list(APPEND edges "${folder}>${target_folder}")
    endif()
    foreach(rule ${folder_rules})
      string(REPLACE ">" ";" pair ${rule})
      list(GET pair 0 from)
      list(GET pair 1 to)
      if(folder STREQUAL from AND target_folder STREQUAL to)
        list(APPEND failures "src/${file}: ${from} must not include ${target}")
      endif()
    endforeach()
  endforeach()
endforeach()

list(REMOVE_DUPLICATES edges)
foreach(edge ${edges})
  string(REPLACE ">" ";" pair ${edge})
  list(GET pair 0 from)
  list(GET pair 1 to)
  if("${to}>${from}" IN_LIST edges AND from STRLESS to)
    list(APPEND failures "${from} and ${to} include each other")
  endif()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Include scan:\n  ${text}")
endif()
list(LENGTH files nFiles)
list(LENGTH edges nEdges)
message(STATUS "Include scan: ${nFiles} files, ${nEdges} folder dependencies, no cycle")
