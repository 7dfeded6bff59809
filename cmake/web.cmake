# The browser build (ZKT_WEB, configured with emcmake): the core's libraries, their tests run
# under node, and the page's module. Emscripten's sysroot has none of the system's libraries,
# so the header-only JSON library is reached through a folder of its own (the whole of
# /usr/include would bring glibc's headers in), and GoogleTest is built from its sources.

# The core throws (encoder overflow, file errors); emscripten would otherwise abort on a throw.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# The page's module optimised across files: 9 % smaller, but every program linked from the tree
# pays for it, so the site is built in a tree of its own and the tests in one without.
option(ZKT_WEB_LTO "Optimise the page's module across all of the core's files (link-time optimisation)" OFF)
if(ZKT_WEB_LTO)
  add_compile_options(-flto)
  add_link_options(-flto)
endif()

find_path(ZKT_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(zkt_header_only ${CMAKE_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${zkt_header_only})
file(CREATE_LINK ${ZKT_NLOHMANN_INCLUDE}/nlohmann ${zkt_header_only}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${zkt_header_only})

# node 20's fetch cannot read a local .wasm file, which emscripten 3.1.6 tries first.
find_program(ZKT_NODE node REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZKT_NODE} --no-experimental-fetch)
# Tests read the examples and write temporary files on the real file system; the exit code is
# main's. Linked at -O1: the optimiser's later passes take 17 s a test and save them nothing.
set(ZKT_WEB_TEST_LINK_OPTIONS -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -O1)

function(zkt_add_googletest)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # Its own sources are not ours to keep free of warnings; it names its targets GTest::*.
  foreach(library gtest gtest_main gmock gmock_main)
    target_compile_options(${library} PRIVATE -Wno-error)
  endforeach()
endfunction()

# src/link configures the RtMidi port backend as well; it is left out of the build (see the
# top level), but its link to RtMidi must name a target.
add_library(PkgConfig::RTMIDI INTERFACE IMPORTED)
