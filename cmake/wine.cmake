# Running the win32 build's programs under Wine: CTest's emulator for every
# program this build makes, a fixture test that makes the Wine prefix once,
# and a helper that registers a command as a test that runs under Wine.
#
# Everything Wine needs lives in the build folder's wine/ (see
# tests/wine/run-under-wine.sh): nothing outside the build folder is used.

set(TAVREL_WINE_ROOT ${CMAKE_BINARY_DIR}/wine)
set(TAVREL_RUN_UNDER_WINE ${CMAKE_SOURCE_DIR}/tests/wine/run-under-wine.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVREL_RUN_UNDER_WINE} --root ${TAVREL_WINE_ROOT})

find_program(TAVREL_WINE_PROGRAM wine)
find_program(TAVREL_XVFB_PROGRAM Xvfb)
if(NOT TAVREL_WINE_PROGRAM OR NOT TAVREL_XVFB_PROGRAM)
  message(WARNING "wine or Xvfb not found: the win32 tests cannot run (scripts/setup.sh installs them)")
endif()

# The native build beside this one (its art folder's parent): the checks
# that compare the two builds run its programs.
get_filename_component(_tavrel_native_default "${TAVREL_ART_DIR}" DIRECTORY)
set(TAVREL_NATIVE_BUILD_DIR "${_tavrel_native_default}" CACHE PATH
    "The native build whose programs the win32 checks compare against")

# Time limits of the tests that run under Wine, in seconds as Wine runs on
# a machine with IA-32 in its kernel. Where Wine runs slower (under software
# emulation, as in ../shared/wine-vm.sh, about 20 times slower), set
# TAVREL_WINE_TIME_SCALE to a whole factor when running ctest: every limit
# is multiplied by it then. ctest reads each folder's limits from an include
# file as it runs, which gives each test its limit as the test is added.
function(tavrel_wine_time_limit seconds)
  foreach(test IN LISTS ARGN)
    set_property(DIRECTORY APPEND PROPERTY TAVREL_WINE_LIMITS
                 "set([=[TAVREL_WINE_LIMIT_${test}]=] ${seconds})")
  endforeach()
  get_property(limits DIRECTORY PROPERTY TAVREL_WINE_LIMITS)
  list(JOIN limits "\n" limits)
  string(CONCAT script
    "# Written by cmake/wine.cmake: the time limits of this folder's Wine tests,\n"
    "# scaled by TAVREL_WINE_TIME_SCALE as ctest runs.\n"
    "${limits}\n"
    "get_property(wrapped GLOBAL PROPERTY TAVREL_WINE_LIMITS_WRAPPED)\n"
    "if(NOT wrapped)\n"
    "  set_property(GLOBAL PROPERTY TAVREL_WINE_LIMITS_WRAPPED 1)\n"
    "  macro(add_test name)\n"
    "    _add_test(\${ARGV})\n"
    "    if(DEFINED TAVREL_WINE_LIMIT_\${name})\n"
    "      set(tavrel_scale \"\$ENV{TAVREL_WINE_TIME_SCALE}\")\n"
    "      if(NOT tavrel_scale MATCHES \"^[1-9][0-9]*$\")\n"
    "        set(tavrel_scale 1)\n"
    "      endif()\n"
    "      math(EXPR tavrel_limit \"\${TAVREL_WINE_LIMIT_\${name}} * \${tavrel_scale}\")\n"
    "      set_tests_properties(\${name} PROPERTIES TIMEOUT \${tavrel_limit})\n"
    "    endif()\n"
    "  endmacro()\n"
    "endif()\n")
  set(file ${CMAKE_CURRENT_BINARY_DIR}/wine_time_limits.cmake)
  file(WRITE ${file} "${script}")
  get_property(included DIRECTORY PROPERTY TEST_INCLUDE_FILES)
  if(NOT file IN_LIST included)
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${file})
  endif()
endfunction()

# Makes the prefix before any test that runs under Wine (the first wineboot
# takes a while; every later run reuses the prefix).
add_test(NAME wine.prefix COMMAND ${TAVREL_RUN_UNDER_WINE} --root ${TAVREL_WINE_ROOT} --prepare)
set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine_prefix RESOURCE_LOCK wine)
tavrel_wine_time_limit(900 wine.prefix)

# Marks tests as running under Wine, with a time limit in seconds (scaled
# as above): they need the prefix and take turns (each run is a Wine
# session of its own).
function(tavrel_wine_tests seconds)
  set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wine_prefix RESOURCE_LOCK wine)
  tavrel_wine_time_limit(${seconds} ${ARGN})
endfunction()

# Programs made before this file was read (and any made without the
# variable in scope) get the emulator too, once the whole tree is read.
function(tavrel_give_programs_the_emulator directory)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(emulator ${target} CROSSCOMPILING_EMULATOR)
    if(type STREQUAL "EXECUTABLE" AND NOT emulator)
      set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_CROSSCOMPILING_EMULATOR})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    tavrel_give_programs_the_emulator(${subdirectory})
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tavrel_give_programs_the_emulator
               ${CMAKE_SOURCE_DIR})
