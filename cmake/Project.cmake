include(GoogleTest)

# A deliverable (or a demonstration window): a GUI executable in bin/, where run.sh finds it by name.
function(project_program name)
  add_executable(${name} WIN32 ${ARGN})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()

# A GoogleTest executable run under Wine, one CTest entry per test case:
#   project_test(name SOURCES a.cpp b.rc LIBS lib...)
# Discovery happens when CTest starts, so the build itself never needs Wine. Suites named "...ByUser"
# drive windows through real input (tests/support/RealInput.h): one pointer and one focus per Wine
# server, so each of their cases runs alone, never beside another test.
function(project_test name)
  if(NOT BUILD_TESTING)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBS")
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} testsupport)
  gtest_discover_tests(${name}
    TEST_FILTER "-*ByUser.*"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120)
  gtest_discover_tests(${name}
    TEST_FILTER "*ByUser.*"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE LABELS realinput)
endfunction()

# A benchmark: a console program in bench/ that prints its figures; tools/bench.sh builds it optimised
# and runs it under Wine. Not a test.
#   project_bench(name SOURCES a.cpp LIBS lib...)
function(project_bench name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBS")
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  # The benchmarks' shared helpers are included by their path from the top of the tree (<bench/...>).
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
endfunction()

# A test library holding nothing but a version resource (tests/support/versionfixture.rc), built beside
# the calling folder's tests; the definitions choose the variant:
#   project_version_fixture(name TEST tests DEFINES FIXTURE_VERSION=1,0,0,0 FIXTURE_LANGUAGE=0x0409)
function(project_version_fixture name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "TEST" "DEFINES")
  add_library(${name} SHARED ${PROJECT_SOURCE_DIR}/tests/support/versionfixture.rc)
  set_target_properties(${name} PROPERTIES LINKER_LANGUAGE C PREFIX "")
  target_link_options(${name} PRIVATE -nostdlib -Wl,-e,0)
  target_compile_definitions(${name} PRIVATE ${ARG_DEFINES})
  add_dependencies(${ARG_TEST} ${name})
endfunction()

# A second registration of a test program's whole-program cases, labelled "display": test.sh runs them
# once more with DISPLAY set on an X server of its own, as users run the programs, while everything
# else keeps Wine's null driver. They run alone, as windows on a real display share one pointer and focus.
#   project_display_tests(target "Suite.Case:Suite.Other")
function(project_display_tests target filter)
  if(NOT BUILD_TESTING)
    return()
  endif()
  gtest_discover_tests(${target}
    TEST_FILTER "${filter}"
    TEST_PREFIX "display:"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE LABELS display)
endfunction()
