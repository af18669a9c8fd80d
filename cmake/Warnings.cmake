# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings for every target of the project; KEYHAVEN_WERROR (on in the
# presets, scripts/test.sh and CI) turns them into errors.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
                    -Wnon-virtual-dtor -Woverloaded-virtual)
if(KEYHAVEN_WERROR)
  add_compile_options(-Werror)
endif()
# g++ 12 at -O3 reports overlapping copies inside std::string's own
# assignment of short literals, which cannot happen (a known false alarm).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wno-restrict)
endif()
