# One line per test program: tarvane_add_test(name LABEL unit|script|gui|fuzz SOURCES ... LIBS ...)
# Every test program is one CTest test with a label, so the widget tests (label gui) can run
# apart under Xvfb. Tests find their fixtures through TARVANE_TEST_DATA.
find_package(GTest REQUIRED)

set(TARVANE_TEST_INCLUDE_DIR ${CMAKE_BINARY_DIR}/include/tarvane_tests)
file(REMOVE_RECURSE ${TARVANE_TEST_INCLUDE_DIR})
file(MAKE_DIRECTORY ${TARVANE_TEST_INCLUDE_DIR})
file(CREATE_LINK ${CMAKE_SOURCE_DIR}/tests ${TARVANE_TEST_INCLUDE_DIR}/tests SYMBOLIC)

# The test programs share one precompiled header of gtest, gmock and the standard headers they
# use most, compiled once and reused by every test source instead of parsed again in each. (For
# ccache to cache sources built with it, set CCACHE_SLOPPINESS=pch_defines,time_macros.)
option(TARVANE_TEST_PCH "Precompile the test programs' common headers" ON)
if(TARVANE_TEST_PCH)
  file(WRITE ${CMAKE_BINARY_DIR}/tarvane_test_pch.cpp "// The precompiled header's own source.\n")
  add_library(tarvane_test_pch OBJECT ${CMAKE_BINARY_DIR}/tarvane_test_pch.cpp)
  target_link_libraries(tarvane_test_pch PRIVATE GTest::gtest GTest::gmock)
  target_precompile_headers(tarvane_test_pch PRIVATE
    <gmock/gmock.h> <gtest/gtest.h> <algorithm> <filesystem> <fstream> <functional> <map>
    <memory> <sstream> <string> <vector>)
endif()

function(tarvane_add_test name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Test code includes its support headers as "tests/<folder>/<file>.h" and sees the layers
  # that it links, as the code under test does.
  target_include_directories(${name} PRIVATE ${TARVANE_TEST_INCLUDE_DIR})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(TARVANE_TEST_PCH)
    target_precompile_headers(${name} REUSE_FROM tarvane_test_pch)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "TARVANE_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data;TARVANE_BIN_DIR=${TARVANE_BIN_DIR}")
endfunction()
