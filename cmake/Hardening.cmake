# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening a distribution gives its packages, for every build made from
# the source too: a strong stack protector, stack clash and control-flow
# protection, fortified C library calls where the compiler optimises,
# position-independent programs, and a read-only relocation table bound at
# start. A sanitizer or fuzzing build goes without: the sanitizers bring
# their own checks and report more plainly without these.
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)
include(CheckPIESupported)

if(KEYHAVEN_SANITIZE OR KEYHAVEN_FUZZ OR NOT KEYHAVEN_HARDENING)
  return()
endif()

# What a packager's flags (CXXFLAGS, LDFLAGS) ask for already is not asked
# twice.
foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "keyhaven_has${flag}" result)
  check_cxx_compiler_flag(${flag} ${result})
  if(${result} AND NOT " ${CMAKE_CXX_FLAGS} " MATCHES " ${flag} ")
    add_compile_options(${flag})
  endif()
endforeach()

# The C library's checks need optimisation (it warns without); a level the
# packager chose is kept.
if(NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE")
  add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()

# Position-independent programs, where the compiler does not make them so
# by default (Debian's compilers do).
check_cxx_source_compiles("#ifndef __PIE__\n#error not PIE\n#endif\nint main() { return 0; }"
                          keyhaven_pie_by_default)
if(NOT keyhaven_pie_by_default)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()

if(NOT CMAKE_EXE_LINKER_FLAGS MATCHES "-z,now")
  check_linker_flag(CXX "LINKER:-z,relro,-z,now" keyhaven_has_bind_now)
  if(keyhaven_has_bind_now)
    add_link_options("LINKER:-z,relro,-z,now")
  endif()
endif()
