# zkt_library(NAME SOURCES src... DEPENDS lib...): the one library of a source folder.
# Headers are included as "folder/file.h" from src/; which folders a library may include is
# what it links (tests/architecture checks every include against these links).
function(zkt_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()
