# Plants each kind of fault the layout check must see into a scratch copy of a small tree, one at a time, and
# checks that the check fails and names the file and what it reached; the tree without them passes.
# cmake -DSCRATCH_DIR=<an empty folder of the build> -P plant_violations.cmake
cmake_minimum_required(VERSION 3.25)
set(check "${CMAKE_CURRENT_LIST_DIR}/check_layout.cmake")
if(NOT SCRATCH_DIR)
  message(FATAL_ERROR "SCRATCH_DIR is not set")
endif()
set(failures "")

# A tree that keeps every rule: each part including what it may, in both forms.
set(clean_tree
  "logic/clock/a.h" "#include <string>\n#include \"logic/b.h\"\n"
  "logic/b.h" "#include <vector>\n"
  "win32/w.h" "#include <windows.h>\n#include <logic/b.h>\n#include \"logic/clock/a.h\"\n"
  "app/clock/c.h" "#include \"win32/w.h\"\n#include \"../main.h\"\n#include \"resources/ids.h\"\n#include \"app/alarms/b.h\"\n"
  "app/alarms/b.h" "#include \"../main.h\"\n"
  "app/main.h" "#include \"logic/b.h\"\n"
  "resources/ids.h" "\n"
  "tests/logic/t.cpp" "#include <gtest/gtest.h>\n#include \"logic/b.h\"\n"
  "tests/support/s.h" "#include \"win32/w.h\"\n#include \"logic/b.h\"\n"
  "tests/win32/u.cpp" "#include \"tests/support/s.h\"\n#include \"win32/w.h\"\n"
  "tests/app/a.cpp" "#include \"app/main.h\"\n#include \"tests/support/s.h\"\n#include \"tests/win32/u.h\"\n"
  "tests/win32/u.h" "\n"
  "bench/x.cpp" "#include \"tests/support/s.h\"\n#include \"near.h\"\n"
  "bench/near.h" "\n")

function(make_tree folder)
  file(REMOVE_RECURSE "${folder}")
  set(pairs ${clean_tree} ${ARGN})
  list(LENGTH pairs count)
  math(EXPR last "${count} - 1")
  foreach(index RANGE 0 ${last} 2)
    math(EXPR next "${index} + 1")
    list(GET pairs ${index} path)
    list(GET pairs ${next} content)
    file(WRITE "${folder}/${path}" "${content}")
  endforeach()
endfunction()

function(run_check folder result output)
  execute_process(COMMAND "${CMAKE_COMMAND}" "-DSOURCE_DIR=${folder}" -P "${check}"
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result} "${code}" PARENT_SCOPE)
  set(${output} "${out}${err}" PARENT_SCOPE)
endfunction()

make_tree("${SCRATCH_DIR}/clean")
run_check("${SCRATCH_DIR}/clean" code out)
if(NOT code EQUAL 0)
  list(APPEND failures "the clean tree was refused:\n${out}")
endif()

# Each: a name, the file planted, its text, and what the report must say.
string(REPEAT "// a line\n" 401 long_text)
set(plants
  "angle_form" "win32/bad.h" "#include <app/main.h>\n" "win32/bad.h:1: win32/ may not include <app/main.h>"
  "detour" "win32/bad.h" "#include \"logic/../app/main.h\"\n" "(app/main.h)"
  "relative_up" "logic/bad.h" "#include \"../win32/w.h\"\n" "logic/bad.h:1: logic/ may not include \"../win32/w.h\" (win32/w.h)"
  "system_header" "logic/bad.h" "#include <windows.h>\n" "standard C++ headers only"
  "backslashes" "win32/bad.h" "#include \"..\\app\\main.h\"\n" "(app/main.h)"
  "spaced" "logic/bad.h" "  #  include   \"win32/w.h\"\n" "(win32/w.h)"
  "native_test_reaches_windows" "tests/logic/bad.cpp" "#include \"win32/w.h\"\n" "(win32/w.h)"
  "native_test_reaches_support" "tests/logic/bad.cpp" "#include \"tests/support/s.h\"\n" "(tests/support/s.h)"
  "program_reaches_tests" "app/bad.h" "#include \"tests/support/s.h\"\n" "(tests/support/s.h)"
  "program_reaches_bench" "app/bad.h" "#include \"bench/near.h\"\n" "(bench/near.h)"
  "tests_reach_bench" "tests/win32/bad.cpp" "#include \"bench/near.h\"\n" "(bench/near.h)"
  "kit_test_reaches_program" "tests/win32/bad.cpp" "#include \"app/main.h\"\n"
    "tests/win32/bad.cpp:1: tests/win32/ may not include \"app/main.h\" (app/main.h)"
  "kit_test_reaches_program_tests" "tests/win32/bad.cpp" "#include \"../app/a.cpp\"\n" "(tests/app/a.cpp)"
  "shared_support_reaches_program" "tests/support/bad.h" "#include <app/main.h>\n"
    "tests/support/bad.h:1: tests/support/ may not include <app/main.h>"
  "too_long" "app/long.cpp" "${long_text}" "app/long.cpp:401: 401 lines"
  "test_too_long" "tests/e2e/long_test.cpp" "${long_text}" "tests/e2e/long_test.cpp:401: 401 lines"
  "bench_too_long" "bench/long.h" "${long_text}" "bench/long.h:401: 401 lines"
  "kit_names_a_window" "win32/bad.cpp" "auto name = L\"Tellurane.Form1\"\n" "win32/bad.cpp:1: the kit names no window"
  "tray_reaches_the_clock" "app/tray/bad.cpp" "#include \"app/clock/c.h\"\n"
    "app/tray/bad.cpp:1: app/tray/ may not include \"app/clock/c.h\""
  "alarms_reach_the_clock" "app/alarms/bad.cpp" "#include \"app/clock/c.h\"\n"
    "app/alarms/bad.cpp:1: app/alarms/ may not include \"app/clock/c.h\""
  "store_reaches_a_room" "app/bad.h" "#include <app/settings/s.h>\n" "app/bad.h:1: app/ may not include <app/settings/s.h>")
list(LENGTH plants count)
math(EXPR last "${count} - 1")
foreach(index RANGE 0 ${last} 4)
  math(EXPR at_file "${index} + 1")
  math(EXPR at_text "${index} + 2")
  math(EXPR at_said "${index} + 3")
  list(GET plants ${index} name)
  list(GET plants ${at_file} path)
  list(GET plants ${at_text} content)
  list(GET plants ${at_said} expected)
  make_tree("${SCRATCH_DIR}/${name}" "${path}" "${content}")
  run_check("${SCRATCH_DIR}/${name}" code out)
  string(FIND "${out}" "${expected}" found)
  if(code EQUAL 0 OR found EQUAL -1)
    list(APPEND failures "${name}: the check did not say \"${expected}\":\n${out}")
  endif()
endforeach()

if(failures)
  list(JOIN failures "\n" report)
  message(FATAL_ERROR "${report}")
endif()
message(STATUS "Layout check: the clean tree passes and every planted fault is named")
