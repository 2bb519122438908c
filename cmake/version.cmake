# The module's version from resources/version.h, the one place it is
# written (the version record reads it too): TAVREL_VERSION, "1.0.0.0".
# Included by the build and by the release script.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../resources/version.h _tavrel_version_lines
     REGEX "^#define TAVREL_VERSION_(MAJOR|MINOR|PATCH|BUILD) +[0-9]+$")
set(TAVREL_VERSION "")
foreach(_part MAJOR MINOR PATCH BUILD)
  set(_number "")
  foreach(_line IN LISTS _tavrel_version_lines)
    if(_line MATCHES "^#define TAVREL_VERSION_${_part} +([0-9]+)$")
      set(_number ${CMAKE_MATCH_1})
    endif()
  endforeach()
  if(_number STREQUAL "")
    message(FATAL_ERROR "resources/version.h does not define TAVREL_VERSION_${_part}")
  endif()
  if(TAVREL_VERSION STREQUAL "")
    set(TAVREL_VERSION ${_number})
  else()
    string(APPEND TAVREL_VERSION ".${_number}")
  endif()
endforeach()
