# Checks that each part includes only what it may, and that no .cpp or .h of logic/, win32/ or app/ passes 400 lines:
#   logic/  no <*.h> (the system's headers, <windows.h> first of all) and no project header outside logic/;
#   win32/  no project header outside logic/ and win32/.
# cmake -DSOURCE_DIR=<the repository's root> -P check_layout.cmake
if(NOT SOURCE_DIR)
  get_filename_component(SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
endif()
set(max_lines 400)
set(problems "")

file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" LIST_DIRECTORIES false
     "${SOURCE_DIR}/logic/*.cpp" "${SOURCE_DIR}/logic/*.h" "${SOURCE_DIR}/win32/*.cpp" "${SOURCE_DIR}/win32/*.h"
     "${SOURCE_DIR}/app/*.cpp" "${SOURCE_DIR}/app/*.h")
list(SORT files)
foreach(file IN LISTS files)
  string(REGEX MATCH "^[^/]+" part "${file}")
  file(READ "${SOURCE_DIR}/${file}" text)
  # One list item a line: the characters a CMake list treats specially are of no interest here.
  string(REGEX REPLACE "[][;\\\\\r]" " " text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]*)")
      continue()
    endif()
    # Saved first: every MATCHES below sets CMAKE_MATCH_<n> again (if() evaluates all of its terms).
    set(quote "${CMAKE_MATCH_1}")
    set(header "${CMAKE_MATCH_2}")
    set(where "${file}:${number}: ${part}/ may not include")
    if(part STREQUAL "logic" AND quote STREQUAL "<" AND header MATCHES "\\.h$")
      list(APPEND problems "${where} <${header}>: the portable part uses standard C++ headers only")
    elseif(part STREQUAL "logic" AND quote STREQUAL "\"" AND NOT header MATCHES "^logic/")
      list(APPEND problems "${where} \"${header}\": only \"logic/...\"")
    elseif(part STREQUAL "win32" AND quote STREQUAL "\"" AND NOT header MATCHES "^(logic|win32)/")
      list(APPEND problems "${where} \"${header}\": only \"logic/...\" and \"win32/...\"")
    endif()
  endforeach()
  # The split leaves one empty item after the final newline: it is no line.
  if(text MATCHES "\n$")
    math(EXPR number "${number} - 1")
  endif()
  if(number GREATER max_lines)
    math(EXPR first_over "${max_lines} + 1")
    list(APPEND problems "${file}:${first_over}: ${number} lines, more than ${max_lines}: split the file")
  endif()
endforeach()

list(LENGTH files checked)
if(problems)
  list(JOIN problems "\n  " report)
  message(FATAL_ERROR "Source layout: ${checked} files checked under ${SOURCE_DIR}\n  ${report}")
endif()
message(STATUS "Source layout: ${checked} files checked, each part includes only what it may")
