# Script mode (cmake -P), run after a GoogleTest program is built: lists its cases and writes the
# CTest file that runs each suite, or each case with PER_CASE, through --gtest_filter. The test is
# named after its filter, so `ctest -R ViewerTest` still finds the viewer's suite.
# Inputs: EXECUTABLE, OUTPUT, PER_CASE, COST, FIRST (a regular expression), ENVIRONMENT (var=value entries separated by "|").
# A suite passes when all of its cases pass or are skipped; only a single case is reported as skipped.
execute_process(COMMAND "${EXECUTABLE}" --gtest_list_tests
    OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result TIMEOUT 60)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${EXECUTABLE} --gtest_list_tests failed (${result}):\n${listing}\n${errors}")
endif()

string(REPLACE ";" "\\;" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(filters "")
set(suite "")
foreach(line IN LISTS lines)
    # "Suite." (with "  # TypeParam = ..." after typed suites), then "  Case" lines (with
    # "  # GetParam() = ..." after parameterised ones).
    string(REGEX REPLACE " +#.*" "" line "${line}")
    if(line MATCHES "^([^ ].*)\\.$")
        set(suite "${CMAKE_MATCH_1}")
        if(NOT PER_CASE)
            list(APPEND filters "${suite}.*")
        endif()
    elseif(line MATCHES "^  (.+)$" AND PER_CASE)
        list(APPEND filters "${suite}.${CMAKE_MATCH_1}")
    endif()
endforeach()

string(REPLACE "|" ";" ENVIRONMENT "${ENVIRONMENT}")
set(skip "")
if(PER_CASE)
    set(skip " SKIP_REGULAR_EXPRESSION [==[\\[  SKIPPED \\]]==]")
endif()
set(content "")
foreach(filter IN LISTS filters)
    if(filter MATCHES "^DISABLED_|\\.DISABLED_")
        continue()
    endif()
    set(cost ${COST})
    if(FIRST AND filter MATCHES "${FIRST}")
        math(EXPR cost "${COST} * 10")
    endif()
    string(APPEND content "add_test([=[${filter}]=] \"${EXECUTABLE}\" [=[--gtest_filter=${filter}]=])\n")
    string(APPEND content "set_tests_properties([=[${filter}]=] PROPERTIES COST ${cost}"
        " ENVIRONMENT [=[${ENVIRONMENT}]=]${skip})\n")
endforeach()
file(WRITE "${OUTPUT}" "${content}")
