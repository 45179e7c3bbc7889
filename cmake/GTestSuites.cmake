# Registers a GoogleTest program with CTest as one test per suite (fixture) rather than one per test
# case: every process of a suite pays the start-up of SDL, fontconfig and a GL context once, which
# under the sanitizers costs more than most test cases. The suites are listed by running the
# program after each build (cmake/WriteGTestSuites.cmake), as gtest_discover_tests does for cases.
#
#   tessary_gtest_suites(<target> [PER_CASE] [COST <n>] [FIRST <regex>] [ENVIRONMENT <var=value>...])
#
# PER_CASE keeps one test per case, for programs whose cases are long enough to be worth running
# side by side. COST orders the tests for `ctest -j` on a clean build, before CTest has measured
# them: higher costs start first. Tests whose name matches FIRST get ten times the cost, so that the
# longest start at once and the short ones fill in around them.
function(tessary_gtest_suites target)
    cmake_parse_arguments(arg "PER_CASE" "COST;FIRST" "ENVIRONMENT" ${ARGN})
    if(NOT arg_COST)
        set(arg_COST 0)
    endif()
    # A list would be split into separate arguments of the command.
    string(REPLACE ";" "|" environment "${arg_ENVIRONMENT}")
    set(list_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
    set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites_include.cmake")
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -D "EXECUTABLE=$<TARGET_FILE:${target}>" -D "OUTPUT=${list_file}"
            -D "PER_CASE=${arg_PER_CASE}" -D "COST=${arg_COST}" -D "FIRST=${arg_FIRST}" -D "ENVIRONMENT=${environment}"
            -P "${CMAKE_SOURCE_DIR}/cmake/WriteGTestSuites.cmake"
        BYPRODUCTS "${list_file}"
        VERBATIM)
    file(WRITE "${include_file}"
        "if(EXISTS \"${list_file}\")\n"
        "    include(\"${list_file}\")\n"
        "else()\n"
        "    add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
        "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
