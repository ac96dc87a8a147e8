# Runs cmake/CheckIncludes.cmake as part of every build, so that a file which
# includes a header of a layer above its own (or Qt outside the Qt view)
# fails the build, not only a review.
file(GLOB_RECURSE LYRICAST_LAYERED_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/platform/*.h ${PROJECT_SOURCE_DIR}/platform/*.cpp
  ${PROJECT_SOURCE_DIR}/engine/*.h ${PROJECT_SOURCE_DIR}/engine/*.cpp
  ${PROJECT_SOURCE_DIR}/convert/*.h ${PROJECT_SOURCE_DIR}/convert/*.cpp
  ${PROJECT_SOURCE_DIR}/scan/*.h ${PROJECT_SOURCE_DIR}/scan/*.cpp
  ${PROJECT_SOURCE_DIR}/window/*.h ${PROJECT_SOURCE_DIR}/window/*.cpp
  ${PROJECT_SOURCE_DIR}/cli/*.h ${PROJECT_SOURCE_DIR}/cli/*.cpp
  ${PROJECT_SOURCE_DIR}/ui/*.h ${PROJECT_SOURCE_DIR}/ui/*.cpp
  ${PROJECT_SOURCE_DIR}/fuzz/*.cpp)
set(LYRICAST_LAYER_STAMP ${CMAKE_BINARY_DIR}/layers-checked.stamp)
add_custom_command(
  OUTPUT ${LYRICAST_LAYER_STAMP}
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${LYRICAST_LAYER_STAMP}
  DEPENDS ${LYRICAST_LAYERED_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
  COMMENT "Checking that every include follows the layers"
  VERBATIM)
add_custom_target(layer_check ALL DEPENDS ${LYRICAST_LAYER_STAMP})
# Each library waits for the check, so a wrong include stops the build before it compiles.
foreach(layer lyricast_platform lyricast_engine lyricast_convert lyricast_scan kar2mid_lib)
  add_dependencies(${layer} layer_check)
endforeach()
if(TARGET lyricast_window)
  add_dependencies(lyricast_window layer_check)
endif()
if(TARGET lyricast_ui_pane)
  add_dependencies(lyricast_ui_pane layer_check)
endif()
