# The only two ways tests are added:
#   mirukaze_add_test(name SOURCES a.cpp b.cpp LIBS lib1 lib2)
#     one GoogleTest executable per call, each of its tests registered with CTest;
#   mirukaze_add_qt_test(name SOURCES a.cpp LIBS lib1)
#     one Qt Test executable (QTEST_MAIN) per call, run on Qt's offscreen platform;
#   mirukaze_add_script_test(name SCRIPT script.sh ARGS arg1 arg2)
#     a bash script beside the calling CMakeLists.txt that passes by exiting 0, for what only a
#     real executable shows (exit statuses, stderr, several processes at once). ARGS may hold
#     generator expressions such as $<TARGET_FILE:mirukaze-cli>.
find_package(GTest REQUIRED)
include(GoogleTest)
find_program(MIRUKAZE_BASH bash REQUIRED)

set(MIRUKAZE_TEST_DATA_DIR "${PROJECT_SOURCE_DIR}/tests/data")

# GCC 12 at -O3 takes the inlined copy inside `"literal" + std::string(...)` for an overlapping
# one and warns (-Wrestrict, a false positive of that release). Tests build their inputs that way
# all the time, so the warning is turned off for the tests alone, and only with GCC 12.
set(MIRUKAZE_TEST_WARNING_FIXES
  $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_GREATER_EQUAL:$<CXX_COMPILER_VERSION>,12>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>)

function(mirukaze_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${MIRUKAZE_TEST_WARNING_FIXES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} mirukaze_test_support GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    MIRUKAZE_TEST_DATA_DIR="${MIRUKAZE_TEST_DATA_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

function(mirukaze_add_script_test name)
  cmake_parse_arguments(ARG "" "SCRIPT" "ARGS" ${ARGN})
  if(NOT ARG_SCRIPT)
    message(FATAL_ERROR "mirukaze_add_script_test(${name}): SCRIPT is missing")
  endif()
  add_test(NAME ${name}
    COMMAND ${MIRUKAZE_BASH} ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_SCRIPT} ${ARG_ARGS})
endfunction()

function(mirukaze_add_qt_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${MIRUKAZE_TEST_WARNING_FIXES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} mirukaze_test_support Qt6::Test Qt6::Widgets)
  target_compile_definitions(${name} PRIVATE
    MIRUKAZE_TEST_DATA_DIR="${MIRUKAZE_TEST_DATA_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
