# Run after a test program is linked: asks it for its tests and writes a
# CTest file with one test per batch of whole suites. A process per batch,
# not per test, because starting a sanitized test program (and, for the
# window tests, a QApplication, and the leak check at its end) costs more
# than most single tests take to run.
#
# Expects PROGRAM, PREFIX, OUTPUT, WORKING_DIRECTORY and BATCH_TESTS, and
# optionally ENVIRONMENT (one NAME=value).
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
# The suites in the order the program lists them, each with its test count.
set(suites "")
foreach(line IN LISTS lines)
  # A suite's line is its name and a full stop, perhaps followed by the
  # parameter type of a typed suite; its tests are the indented lines under it.
  if(line MATCHES "^([A-Za-z_][A-Za-z0-9_/]*)\\.( +#.*)?$")
    set(suite "${CMAKE_MATCH_1}")
    if(suite MATCHES "(^|/)DISABLED_")
      set(suite "")
    else()
      list(APPEND suites "${suite}")
      set(count_${suite} 0)
    endif()
  elseif(suite AND line MATCHES "^  [A-Za-z_]")
    math(EXPR count_${suite} "${count_${suite}} + 1")
  endif()
endforeach()
if(NOT suites)
  message(FATAL_ERROR "${PROGRAM} listed no test suites:\n${listing}")
endif()

# Whole suites, one after another, go into a batch until it holds at least
# BATCH_TESTS tests. A batch is named after its first and last suite and
# labelled with every suite it holds, so that `ctest -L Suite` runs the one
# that holds Suite.
set(content "")
set(batch "")
set(held 0)
list(LENGTH suites remaining)
foreach(suite IN LISTS suites)
  list(APPEND batch "${suite}")
  math(EXPR held "${held} + ${count_${suite}}")
  math(EXPR remaining "${remaining} - 1")
  if(held GREATER_EQUAL BATCH_TESTS OR remaining EQUAL 0)
    list(GET batch 0 first)
    list(GET batch -1 last)
    set(name "${PREFIX}.${first}")
    if(NOT first STREQUAL last)
      set(name "${name}..${last}")
    endif()
    list(TRANSFORM batch APPEND ".*" OUTPUT_VARIABLE patterns)
    list(JOIN patterns ":" filter)
    string(APPEND content
      "add_test([==[${name}]==] [==[${PROGRAM}]==] [==[--gtest_filter=${filter}]==])\n"
      "set_tests_properties([==[${name}]==] PROPERTIES WORKING_DIRECTORY [==[${WORKING_DIRECTORY}]==]"
      " LABELS [==[${batch}]==]")
    if(ENVIRONMENT)
      string(APPEND content " ENVIRONMENT [==[${ENVIRONMENT}]==]")
    endif()
    string(APPEND content ")\n")
    set(batch "")
    set(held 0)
  endif()
endforeach()
file(WRITE "${OUTPUT}" "${content}")
