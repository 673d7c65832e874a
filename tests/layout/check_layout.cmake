# Checks that each part includes only what it may, and that no .cpp or .h of the program, its tests or its
# benchmarks passes 400 lines. Every include counts, <...> as well as "...": a header of the project is found by
# its path from the file's own folder or from the root, with "." and ".." resolved, so neither form nor a detour
# hides where it leads.
#   logic/           logic/ only, and no <*.h> of the system (<windows.h> first of all): standard C++ headers;
#   win32/           logic/ and win32/;
#   app/             logic/, win32/, app/ and resources/;
#   tests/logic/     logic/ and tests/logic/ (they also run natively, without Windows);
#   tests/fuzz/      logic/ and tests/fuzz/;
#   tests/win32/     logic/, win32/, tests/support/ and tests/win32/: the kit is tested without the program;
#   tests/support/   logic/, win32/ and tests/support/: the kit's tests use it too;
#   tests/ else      logic/, win32/, app/, resources/ and tests/ (tests/app/ tests the program's classes);
#   bench/           logic/, win32/, app/, resources/, tests/ and bench/.
# Nothing below reaches back up: no part of the program includes tests/ or bench/. And the kit (win32/) names no
# window class of the program ("Tellurane.Form1"): the layouts do.
# Inside app/, each room sees only the rooms below it:
#   app/*.h, *.cpp   (the store, the shared routines)   app/ itself only;
#   app/tray/        app/ and app/tray/;
#   app/settings/    app/ and app/settings/;
#   app/alarms/      app/ and app/alarms/: the bell asks its clocks through an interface of its own;
#   app/clock/       app/, app/alarms/, app/clock/, app/settings/ and app/tray/;
#   app/main.cpp     any of them.
# cmake -DSOURCE_DIR=<the repository's root> -P check_layout.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR)
  get_filename_component(SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
set(max_lines 400)
set(problems "")
set(parts logic win32 app resources tests bench)

# The part a file of the project belongs to, as the rules name it: the tests with rules of their own apart.
function(part_of path out)
  if(path MATCHES "^tests/(logic|fuzz|win32|support)/")
    set(${out} "tests/${CMAKE_MATCH_1}" PARENT_SCOPE)
  elseif(path MATCHES "^([^/]+)/")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

function(allowed_for part out)
  if(part STREQUAL "logic")
    set(${out} logic PARENT_SCOPE)
  elseif(part STREQUAL "win32")
    set(${out} logic win32 PARENT_SCOPE)
  elseif(part STREQUAL "app")
    set(${out} logic win32 app resources PARENT_SCOPE)
  elseif(part STREQUAL "tests/logic" OR part STREQUAL "tests/fuzz")
    set(${out} logic ${part} PARENT_SCOPE)
  elseif(part STREQUAL "tests/win32")
    set(${out} logic win32 tests/support tests/win32 PARENT_SCOPE)
  elseif(part STREQUAL "tests/support")
    set(${out} logic win32 tests/support PARENT_SCOPE)
  elseif(part STREQUAL "tests")
    set(${out} logic win32 app resources tests PARENT_SCOPE)
  else()
    set(${out} logic win32 app resources tests bench PARENT_SCOPE)
  endif()
endfunction()

# A file's room inside app/: "app" for the files at its top, "main" for the start-up, else app/<room>.
function(app_room_of path out)
  if(path STREQUAL "app/main.cpp")
    set(${out} main PARENT_SCOPE)
  elseif(path MATCHES "^app/([^/]+)/")
    set(${out} "app/${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} app PARENT_SCOPE)
  endif()
endfunction()

function(app_rooms_for room out)
  if(room STREQUAL "main")
    set(${out} app app/alarms app/clock app/settings app/tray PARENT_SCOPE)
  elseif(room STREQUAL "app/clock")
    set(${out} app app/alarms app/clock app/settings app/tray PARENT_SCOPE)
  elseif(room STREQUAL "app")
    set(${out} app PARENT_SCOPE)
  else()
    set(${out} app ${room} PARENT_SCOPE)
  endif()
endfunction()

# The project file an include names, from the root ("" when it names none: a system or library header).
function(resolve_include file header out)
  get_filename_component(folder "${SOURCE_DIR}/${file}" DIRECTORY)
  set(found "")
  foreach(base IN ITEMS "${folder}" "${SOURCE_DIR}")
    get_filename_component(candidate "${header}" ABSOLUTE BASE_DIR "${base}")
    file(RELATIVE_PATH relative "${SOURCE_DIR}" "${candidate}")
    if(relative MATCHES "^\\.\\./" OR IS_ABSOLUTE "${relative}")
      continue()
    endif()
    if(EXISTS "${candidate}")
      set(found "${relative}")
      break()
    endif()
    # Not there (yet): from the root, a path into one of the parts is still the project's.
    if(base STREQUAL SOURCE_DIR AND relative MATCHES "^([^/]+)/" AND CMAKE_MATCH_1 IN_LIST parts)
      set(found "${relative}")
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(globs "")
foreach(folder IN ITEMS logic win32 app tests bench)
  list(APPEND globs "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.rc")
endforeach()
file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" LIST_DIRECTORIES false ${globs})
list(SORT files)
foreach(file IN LISTS files)
  part_of("${file}" part)
  allowed_for("${part}" allowed)
  file(READ "${SOURCE_DIR}/${file}" text)
  # One list item a line: the characters a CMake list treats specially are of no interest here.
  string(REGEX REPLACE "[][;\\\\\r]" "/" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(part STREQUAL "win32" AND line MATCHES "\"Tellurane\\.")
      list(APPEND problems "${file}:${number}: the kit names no window of the program: its layouts do")
    endif()
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]*)")
      continue()
    endif()
    # Saved first: every MATCHES below sets CMAKE_MATCH_<n> again (if() evaluates all of its terms).
    set(quote "${CMAKE_MATCH_1}")
    set(header "${CMAKE_MATCH_2}")
    if(quote STREQUAL "<")
      set(shown "<${header}>")
    else()
      set(shown "\"${header}\"")
    endif()
    set(where "${file}:${number}: ${part}/ may not include ${shown}")
    resolve_include("${file}" "${header}" target)
    if(target STREQUAL "")
      if(part STREQUAL "logic" AND header MATCHES "\\.h$")
        list(APPEND problems "${where}: the portable part uses standard C++ headers only")
      endif()
      continue()
    endif()
    part_of("${target}" target_part)
    string(REGEX MATCH "^[^/]+" target_top "${target}")
    if(NOT target_part IN_LIST allowed AND NOT target_top IN_LIST allowed)
      list(JOIN allowed ", " may)
      list(APPEND problems "${where} (${target}): only ${may}")
    elseif(part STREQUAL "app" AND target_top STREQUAL "app")
      app_room_of("${file}" room)
      app_room_of("${target}" target_room)
      app_rooms_for("${room}" rooms)
      if(NOT target_room IN_LIST rooms)
        list(JOIN rooms "/, " may)
        list(APPEND problems "${file}:${number}: ${room}/ may not include ${shown} (${target}): only ${may}/")
      endif()
    endif()
  endforeach()
  if(NOT file MATCHES "\\.(cpp|h)$")
    continue()
  endif()
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
