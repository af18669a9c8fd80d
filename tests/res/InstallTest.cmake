# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build into a scratch prefix and checks what a desktop needs from
# it: the programs, the desktop entry and the file type of ".pwd" files that
# agree with each other, theme icons of the right sizes, the help pages and
# the demo file. A staged install (DESTDIR) must leave the desktop caches alone.
#
#   cmake -DBUILD_DIR=... -DPREFIX=... -DWITH_GUI=ON|OFF -DVERSION=x.y.z -P InstallTest.cmake

# expect(CONDITION MESSAGE): CONDITION is the text of an if() condition.
function(expect condition message)
  cmake_language(EVAL CODE "if(${condition})\n  set(passed TRUE)\nelse()\n  set(passed FALSE)\nendif()")
  if(NOT passed)
    message(SEND_ERROR "${message}")
    set_property(GLOBAL APPEND PROPERTY install_test_failures "${message}")
  endif()
endfunction()

function(png_size file out_width out_height)
  file(READ "${file}" header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 8 width_hex)
  string(SUBSTRING "${header}" 40 8 height_hex)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    set(${out_width} -1 PARENT_SCOPE)
    set(${out_height} -1 PARENT_SCOPE)
    return()
  endif()
  math(EXPR width "0x${width_hex}")
  math(EXPR height "0x${height_hex}")
  set(${out_width} ${width} PARENT_SCOPE)
  set(${out_height} ${height} PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE install_errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}\n${install_errors}")
endif()

# --- programs
set(programs keyhaven-cli)
if(WITH_GUI)
  list(APPEND programs keyhaven)
endif()
foreach(program ${programs})
  expect("EXISTS \"${PREFIX}/bin/${program}\"" "bin/${program} is not installed")
  if(EXISTS "${PREFIX}/bin/${program}")
    execute_process(COMMAND "${PREFIX}/bin/${program}" --version
                    RESULT_VARIABLE version_result OUTPUT_VARIABLE version_text ERROR_QUIET
                    TIMEOUT 20)
    expect("version_result EQUAL 0" "installed ${program} --version fails: ${version_result}")
    string(REPLACE "." "\\\\." version_pattern "${VERSION}")
    expect("version_text MATCHES \" ${version_pattern}\n\"" "installed ${program} --version says: ${version_text}")
  endif()
endforeach()

# --- desktop entry
set(app_id org.keyhaven.Keyhaven)
set(desktop "${PREFIX}/share/applications/${app_id}.desktop")
expect("EXISTS \"${desktop}\"" "the desktop entry is not installed")
file(STRINGS "${desktop}" desktop_lines)
list(GET desktop_lines 0 first_line)
expect("first_line STREQUAL \"[Desktop Entry]\"" "the desktop entry starts with ${first_line}")
set(seen_keys)
foreach(line ${desktop_lines})
  # A translated key, Comment[de], is kept as value_Comment_de.
  if(line MATCHES "^([A-Za-z]+)(\\[([a-zA-Z_@]+)\\])?=(.*)$")
    set(key ${CMAKE_MATCH_1})
    if(CMAKE_MATCH_3)
      set(key ${key}_${CMAKE_MATCH_3})
    endif()
    set(value_${key} "${CMAKE_MATCH_4}")
    list(FIND seen_keys ${key} index)
    expect("index EQUAL -1" "the desktop entry repeats ${key}")
    list(APPEND seen_keys ${key})
  endif()
endforeach()
expect("value_Type STREQUAL \"Application\"" "Type=${value_Type}")
expect("value_Name STREQUAL \"Keyhaven\"" "Name=${value_Name}")
# %f hands the opened file to the program, which takes it on its command line.
expect("value_Exec STREQUAL \"keyhaven %f\"" "Exec=${value_Exec}")
expect("value_Icon STREQUAL \"${app_id}\"" "Icon=${value_Icon}")
# A menu leaves the entry out where the program is gone, and a task bar
# matches the X11 window to it by the window's class.
expect("value_TryExec STREQUAL \"keyhaven\"" "TryExec=${value_TryExec}")
expect("value_StartupWMClass STREQUAL \"Keyhaven\"" "StartupWMClass=${value_StartupWMClass}")
# The program speaks German and French, and so does its entry in the menus.
foreach(language de fr)
  foreach(key GenericName Comment Keywords)
    expect("DEFINED value_${key}_${language} AND NOT value_${key}_${language} STREQUAL value_${key}"
           "the desktop entry has no ${language} ${key} of its own")
  endforeach()
endforeach()
expect("value_Categories MATCHES \"(^|;)Utility;\" AND value_Categories MATCHES \"(^|;)Security;\""
       "Categories=${value_Categories}")
string(REPLACE ";" "|" mime_list "${value_MimeType}")
expect("mime_list MATCHES \"(^|\\\\|)application/x-keyhaven-pwd(\\\\||$)\"" "MimeType=${value_MimeType}")

# It is the only entry: another one that names the file types would
# compete with it to open them.
file(GLOB entries RELATIVE "${PREFIX}/share/applications" "${PREFIX}/share/applications/*.desktop")
expect("entries STREQUAL \"${app_id}.desktop\"" "the desktop entries installed: ${entries}")

# The desktop's own checkers, where installed (the install script adds them).
set(metainfo "${PREFIX}/share/metainfo/${app_id}.metainfo.xml")
expect("EXISTS \"${metainfo}\"" "the AppStream metadata is not installed")
if(EXISTS "${metainfo}")
  file(READ "${metainfo}" metainfo_text)
  expect("metainfo_text MATCHES \"<release version=\\\"${VERSION}\\\"\"" "the metadata's release is not ${VERSION}")
endif()
foreach(check "desktop-file-validate;${desktop}" "appstreamcli;validate;--no-net;${metainfo}")
  list(POP_FRONT check tool)
  find_program(tool_path ${tool})
  if(tool_path)
    execute_process(COMMAND ${tool_path} ${check} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    expect("result EQUAL 0" "${tool} finds faults: ${output}")
  endif()
  unset(tool_path CACHE)
endforeach()

# --- the file type
set(mime_package "${PREFIX}/share/mime/packages/keyhaven.xml")
expect("EXISTS \"${mime_package}\"" "the MIME package is not installed")
file(READ "${mime_package}" mime_xml)
expect("mime_xml MATCHES \"<mime-type type=\\\"application/x-keyhaven-pwd\\\">\"" "the MIME type is not named as in the desktop entry")
expect("mime_xml MATCHES \"<glob pattern=\\\"\\\\*\\\\.pwd\\\"/>\"" "the MIME type has no *.pwd glob")
expect("mime_xml MATCHES \"<comment>Keyhaven password file</comment>\"" "the MIME type has no comment")
find_program(update_mime update-mime-database)
if(update_mime)
  # The database that file managers read maps *.pwd to the type.
  set(globs "${PREFIX}/share/mime/globs2")
  expect("EXISTS \"${globs}\"" "update-mime-database did not run at install")
  if(EXISTS "${globs}")
    file(STRINGS "${globs}" glob_lines REGEX "application/x-keyhaven-pwd")
    expect("glob_lines MATCHES \":\\\\*\\\\.pwd\"" "globs2 does not map *.pwd: ${glob_lines}")
  endif()
endif()

# --- icons
if(WITH_GUI)
  foreach(size 16 32 48 64 128 256)
    foreach(icon apps/${app_id} mimetypes/application-x-keyhaven-pwd status/keyhaven-tray
                 status/keyhaven-tray-locked)
      set(png "${PREFIX}/share/icons/hicolor/${size}x${size}/${icon}.png")
      expect("EXISTS \"${png}\"" "${size}x${size}/${icon}.png is not installed")
      if(EXISTS "${png}")
        png_size("${png}" width height)
        expect("width EQUAL ${size} AND height EQUAL ${size}"
               "${size}x${size}/${icon}.png is ${width}x${height}")
      endif()
    endforeach()
  endforeach()
  expect("EXISTS \"${PREFIX}/share/icons/hicolor/scalable/apps/${app_id}.svg\"" "no scalable program icon")
  # The program's icon has one name, the entry's.
  file(GLOB_RECURSE app_icons RELATIVE "${PREFIX}/share/icons/hicolor" "${PREFIX}/share/icons/hicolor/*/apps/*")
  list(FILTER app_icons EXCLUDE REGEX "/apps/${app_id}\\.(png|svg)$")
  expect("app_icons STREQUAL \"\"" "program icons of another name: ${app_icons}")
  expect("EXISTS \"${PREFIX}/share/icons/hicolor/scalable/mimetypes/application-x-keyhaven-pwd.svg\""
         "no scalable file icon")
endif()

# --- help and demo
file(GLOB help_pages "${PREFIX}/share/keyhaven/help/*.html")
list(LENGTH help_pages help_count)
expect("help_count GREATER_EQUAL 10" "only ${help_count} help pages are installed")
expect("EXISTS \"${PREFIX}/share/keyhaven/help/index.html\"" "no help contents page")
expect("EXISTS \"${PREFIX}/share/keyhaven/help/style.css\"" "no help style sheet")
# Lines this long mark a file as generated from a source that is not shipped
# (lintian's source-is-missing); the pages are written by hand.
foreach(page ${help_pages})
  file(STRINGS "${page}" long_lines LENGTH_MINIMUM 513)
  get_filename_component(page_name "${page}" NAME)
  expect("long_lines STREQUAL \"\"" "${page_name} has lines over 512 characters")
endforeach()
set(demo "${PREFIX}/share/keyhaven/demo.pwd")
expect("EXISTS \"${demo}\"" "the demo file is not installed")
if(EXISTS "${demo}")
  file(SHA256 "${demo}" installed_hash)
  file(SHA256 "${BUILD_DIR}/res/demo.pwd" built_hash)
  expect("installed_hash STREQUAL built_hash" "the installed demo file differs from the built one")
endif()

# --- man pages: written from the programs' help, so every command is in the
# SYNOPSIS; groff finds nothing to warn about; nothing is said twice.
find_program(groff groff)
if(groff AND WITH_GUI)
  foreach(program keyhaven keyhaven-cli)
    set(page "${PREFIX}/share/man/man1/${program}.1")
    expect("EXISTS \"${page}\"" "no man page ${program}.1")
    execute_process(COMMAND ${groff} -man -Tutf8 -ww -z "${page}" ERROR_VARIABLE warnings)
    expect("warnings STREQUAL \"\"" "groff warns on ${program}.1: ${warnings}")
    execute_process(COMMAND ${groff} -man -Tutf8 -P-cbou "${page}" OUTPUT_VARIABLE text_${program})
    expect("text_${program} MATCHES \"\nCOPYRIGHT\n.*GPL-3.0-or-later.*NO WARRANTY\""
           "${program}.1 has no licence notice")
  endforeach()
  string(REGEX MATCHALL "SYNOPSIS\n.*\nDESCRIPTION\n" synopsis "${text_keyhaven-cli}")
  execute_process(COMMAND "${PREFIX}/bin/keyhaven-cli" --help OUTPUT_VARIABLE cli_help)
  string(REGEX MATCHALL "\n  keyhaven-cli [a-z]+" usage_lines "${cli_help}")
  list(LENGTH usage_lines command_count)
  expect("command_count GREATER 8" "keyhaven-cli --help names ${command_count} commands")
  foreach(line ${usage_lines})
    string(STRIP "${line}" line)
    expect("synopsis MATCHES \"\n +${line}( |\n)\"" "the SYNOPSIS of keyhaven-cli.1 lacks ${line}")
    string(REPLACE "keyhaven-cli " "" command "${line}")
    expect("text_keyhaven-cli MATCHES \"\nCOMMANDS\n(.*\n)?       ${command}[ \n]\""
           "keyhaven-cli.1 does not explain ${command}")
  endforeach()
  string(TOLOWER "${text_keyhaven}" lower_text)
  string(REGEX MATCHALL "password manager for the desktop" summaries "${lower_text}")
  list(LENGTH summaries summary_count)
  expect("summary_count EQUAL 1" "keyhaven.1 says its summary ${summary_count} times:\n${text_keyhaven}")
endif()

# --- a staged install leaves the caches to the package
set(stage "${PREFIX}-stage")
file(REMOVE_RECURSE "${stage}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${stage}"
                        ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE install_errors)
expect("result EQUAL 0" "staged install failed: ${result} ${install_errors}")
expect("EXISTS \"${stage}/usr/share/mime/packages/keyhaven.xml\"" "staged install misses the MIME package")
expect("NOT EXISTS \"${stage}/usr/share/mime/globs2\"" "staged install built the MIME cache")
file(REMOVE_RECURSE "${stage}")

get_property(failures GLOBAL PROPERTY install_test_failures)
list(LENGTH failures failure_count)
if(failure_count GREATER 0)
  message(FATAL_ERROR "${failure_count} installation check(s) failed")
endif()
message(STATUS "installation checks passed")
