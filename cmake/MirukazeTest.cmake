# mirukaze_add_test(name SOURCES a.cpp b.cpp LIBS lib1 lib2)
# The only way tests are added: one GoogleTest executable per call, registered with CTest.
find_package(GTest REQUIRED)
include(GoogleTest)

set(MIRUKAZE_TEST_DATA_DIR "${PROJECT_SOURCE_DIR}/tests/data")

function(mirukaze_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} mirukaze_test_support GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    MIRUKAZE_TEST_DATA_DIR="${MIRUKAZE_TEST_DATA_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
