include(GoogleTest)

# A deliverable (or a demonstration window): a GUI executable in bin/, where run.sh finds it by name.
function(project_program name)
  add_executable(${name} WIN32 ${ARGN})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()

# A GoogleTest executable run under Wine, one CTest entry per test case:
#   project_test(name SOURCES a.cpp b.rc LIBS lib...)
# Discovery happens when CTest starts, so the build itself never needs Wine.
function(project_test name)
  if(NOT BUILD_TESTING)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBS")
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} testsupport)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120)
endfunction()

# A benchmark: a console program in bench/ that prints its figures; tools/bench.sh builds it optimised
# and runs it under Wine. Not a test.
#   project_bench(name SOURCES a.cpp LIBS lib...)
function(project_bench name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBS")
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
endfunction()
