# Run after a test program is linked: asks it for its tests and writes a
# CTest file with one test per suite. A process per suite, not per test,
# because starting a sanitized test program (and, for the window tests, a
# QApplication) costs more than most single tests take to run.
#
# Expects PROGRAM, PREFIX, OUTPUT and WORKING_DIRECTORY, and optionally
# ENVIRONMENT (one NAME=value).
execute_process(COMMAND "${PROGRAM}" --gtest_list_tests
                WORKING_DIRECTORY "${WORKING_DIRECTORY}"
                OUTPUT_VARIABLE listing
                ERROR_VARIABLE errors
                RESULT_VARIABLE result
                TIMEOUT 60)
if(NOT result EQUAL 0)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "${PROGRAM} could not list its tests (${result}):\n${listing}${errors}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(content "")
set(count 0)
foreach(line IN LISTS lines)
  # A suite's line is its name and a full stop, perhaps followed by the
  # parameter type of a typed suite; the tests are the indented lines under it.
  if(line MATCHES "^([A-Za-z_][A-Za-z0-9_/]*)\\.( +#.*)?$")
    set(suite "${CMAKE_MATCH_1}")
    if(suite MATCHES "(^|/)DISABLED_")
      continue()
    endif()
    set(name "${PREFIX}.${suite}")
    string(APPEND content
      "add_test([==[${name}]==] [==[${PROGRAM}]==] [==[--gtest_filter=${suite}.*]==])\n"
      "set_tests_properties([==[${name}]==] PROPERTIES WORKING_DIRECTORY [==[${WORKING_DIRECTORY}]==]")
    if(ENVIRONMENT)
      string(APPEND content " ENVIRONMENT [==[${ENVIRONMENT}]==]")
    endif()
    string(APPEND content ")\n")
    math(EXPR count "${count} + 1")
  endif()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} listed no test suites:\n${listing}")
endif()
file(WRITE "${OUTPUT}" "${content}")
