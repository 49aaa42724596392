# One static library per layer folder. Sources are globbed so that adding a
# class to a layer means adding its files, nothing else.
function(veldmark_layer_library name)
  cmake_parse_arguments(ARG "" "" "LINKS;USES" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER sources EXCLUDE REGEX "/main[^/]*\\.cpp$")
  add_library(${name} STATIC ${sources} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  veldmark_check_layer_includes("${sources}" "${ARG_USES}")
  # AUTOMOC in a reused build folder does not notice a header added after the
  # first configure (its rule does not depend on the source list), so a
  # changed list removes its timestamp and moc looks at every header again.
  list(JOIN sources "\n" source_list)
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_sources.txt)
  set(old_list "")
  if(EXISTS ${list_file})
    file(READ ${list_file} old_list)
  endif()
  if(NOT old_list STREQUAL "${source_list}")
    file(WRITE ${list_file} "${source_list}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/timestamp)
  endif()
endfunction()

# A layer includes headers of the layers it USES and its own, never of a layer
# above it: checked at configure time, so a wrong include fails the build.
set(VELDMARK_LAYERS nsa platform shell controls shellwidgets dialogs app)
function(veldmark_check_layer_includes sources uses)
  get_filename_component(self ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  foreach(file ${sources})
    file(STRINGS ${file} includes REGEX "^#include \"[a-z]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" layer "${line}")
      if(layer IN_LIST VELDMARK_LAYERS AND NOT layer STREQUAL self AND NOT layer IN_LIST uses)
        message(FATAL_ERROR "${file} includes a header of layer '${layer}', which ${self}/ may not use")
      endif()
    endforeach()
  endforeach()
endfunction()
