# GoogleTest for a cross build. Debian's prebuilt libgtest is for the build
# machine, so the target's copy is compiled here from Debian's source package
# (googletest, in /usr/src/googletest). It provides the same GTest::gtest,
# GTest::gtest_main, GTest::gmock and GTest::gmock_main targets as
# find_package(GTest) does for a native build.
set(LYRICAST_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(NOT EXISTS ${LYRICAST_GTEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${LYRICAST_GTEST_SOURCE_DIR}; "
                      "install them with: sudo apt-get install googletest")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${LYRICAST_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
