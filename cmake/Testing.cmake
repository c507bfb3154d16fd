# Test programs run under Wine through the toolchain's emulator; GoogleTest lists its cases at test time.
include(GoogleTest)

# vantry_add_gtest(NAME SOURCES ... LIBS ... [LOCK name] [ALONE filter] [ENVIRONMENT VAR=value ...]): one
# test program, each of
# its cases one CTest test. Cases of programs with the same LOCK never run at the same time (shared
# machine state). Cases matching the ALONE filter (GoogleTest syntax) run with no other test beside
# them: they drive the one mouse cursor that all programs under the Wine server share.
function(vantry_add_gtest name)
  cmake_parse_arguments(ARG "" "LOCK;ALONE" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  set(lock_property)
  if(ARG_LOCK)
    set(lock_property RESOURCE_LOCK ${ARG_LOCK})
  endif()
  # Variables the test's process sees on the host side (a driver list for the ODBC driver manager).
  if(ARG_ENVIRONMENT)
    list(APPEND lock_property ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vantry_test_support GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VANTRY_TEST_DATA_DIR=L"Z:${CMAKE_CURRENT_SOURCE_DIR}/data"
    VANTRY_SOURCE_DIR=L"Z:${CMAKE_SOURCE_DIR}")
  set(filter)
  if(ARG_ALONE)
    set(filter TEST_FILTER "-${ARG_ALONE}")
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      NO_PRETTY_VALUES
      DISCOVERY_TIMEOUT 120
      TEST_FILTER "${ARG_ALONE}"
      WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
      PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 120
    ${filter}
    WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    PROPERTIES TIMEOUT 300 ${lock_property})
endfunction()

# vantry_add_host_test(NAME COMMAND ...): a check run on the Linux side, with the host's own tools.
function(vantry_add_host_test name)
  add_test(NAME ${name} COMMAND ${ARGN})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
