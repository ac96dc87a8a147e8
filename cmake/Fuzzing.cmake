# The fuzzing build: clang with libFuzzer's coverage and both sanitizers on
# every target, so the engine itself is instrumented, not only the harness.
# It builds the fuzz targets alone: no window, no tests.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "LYRICAST_FUZZ needs clang++ (libFuzzer); configure with -DCMAKE_CXX_COMPILER=clang++")
endif()

add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer -g)
add_link_options(-fsanitize=address,undefined)

set(LYRICAST_BUILD_QT_WINDOW OFF)
set(LYRICAST_BUILD_TESTS OFF)
set(LYRICAST_SANITIZE OFF)
