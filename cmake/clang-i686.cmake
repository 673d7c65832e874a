# Second compiler for the same target as cmake/mingw-i686.cmake: Debian's clang and lld, with the C++ library,
# libgcc and start-up files of the MinGW-w64 GCC (posix thread model). GCC still builds the release.
#
# Clang does not find that GCC by itself (its folder is named like "12-posix"), so the GCC driver is asked where
# its C++ headers and libraries are: no GCC version number is written here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(tellurane_triple i686-w64-mingw32)
set(tellurane_gxx ${tellurane_triple}-g++-posix)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${tellurane_triple})
set(CMAKE_CXX_COMPILER_TARGET ${tellurane_triple})
set(CMAKE_RC_COMPILER ${tellurane_triple}-windres)

set(CMAKE_SYSROOT /usr/${tellurane_triple})
set(CMAKE_FIND_ROOT_PATH /usr/${tellurane_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The folder of libgcc.a also holds libstdc++.a, crtbegin.o and crtend.o.
execute_process(COMMAND ${tellurane_gxx} -print-libgcc-file-name
                OUTPUT_VARIABLE tellurane_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE tellurane_status)
if(NOT tellurane_status EQUAL 0 OR NOT EXISTS "${tellurane_libgcc}")
  message(FATAL_ERROR "${tellurane_gxx} is needed for its C++ library (package g++-mingw-w64-i686-posix)")
endif()
get_filename_component(tellurane_gcc_lib_dir "${tellurane_libgcc}" DIRECTORY)

# The C++ header folders, in GCC's own order, from its verbose preprocessor run. GCC's C headers (stddef.h and
# the like) stay out: clang brings its own.
execute_process(COMMAND ${tellurane_gxx} -v -E -x c++ -
                INPUT_FILE /dev/null OUTPUT_QUIET ERROR_VARIABLE tellurane_gxx_v)
string(REGEX REPLACE ".*#include <\\.\\.\\.> search starts here:\n(.*)\nEnd of search list.*" "\\1"
       tellurane_search "${tellurane_gxx_v}")
string(REGEX REPLACE "\n" ";" tellurane_search "${tellurane_search}")
set(tellurane_stdlib_flags "")
foreach(dir IN LISTS tellurane_search)
  string(STRIP "${dir}" dir)
  if(dir MATCHES "/c\\+\\+(/|$)")
    get_filename_component(dir "${dir}" ABSOLUTE)
    string(APPEND tellurane_stdlib_flags " -stdlib++-isystem ${dir}")
  endif()
endforeach()
if(tellurane_stdlib_flags STREQUAL "")
  message(FATAL_ERROR "no C++ header folder in the output of ${tellurane_gxx} -v")
endif()

set(CMAKE_CXX_FLAGS_INIT "${tellurane_stdlib_flags}")
# -B: crtbegin.o and crtend.o of that GCC. -pthread: GCC's libstdc++ and libgcc keep thread-local data through
# emulated TLS, which sits on winpthreads (the driver then adds -lpthread among the runtime libraries). Windows
# ships none of the MinGW runtime DLLs: link them in, as the GCC build does.
set(tellurane_link_flags "-fuse-ld=lld -B${tellurane_gcc_lib_dir}/ -L${tellurane_gcc_lib_dir} -pthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${tellurane_link_flags} -static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${tellurane_link_flags}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${tellurane_link_flags}")

# Test executables run under Wine, through a wrapper that prepares the prefix and session.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run")
