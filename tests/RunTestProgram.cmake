# Runs a GoogleTest program natively, as scripts/wine-session.sh gtest runs it under Wine: a
# program that ends before writing its results fails, whatever it returned. A program all of whose
# tests were skipped says so, and ctest counts it skipped.
#   cmake -DPROGRAM=... -DRESULTS=....xml [-DARGS=...] -P RunTestProgram.cmake
file(REMOVE ${RESULTS})
execute_process(COMMAND ${PROGRAM} --gtest_output=xml:${RESULTS} ${ARGS} RESULT_VARIABLE code)
if(NOT EXISTS ${RESULTS})
    message(FATAL_ERROR "${PROGRAM} ended before writing its results")
endif()
if(NOT code EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} failed (${code})")
endif()
file(READ ${RESULTS} results)
string(REGEX MATCHALL "<testcase " tests "${results}")
string(REGEX MATCHALL "result=\"skipped\"" skipped "${results}")
list(LENGTH tests tests)
list(LENGTH skipped skipped)
if(tests GREATER 0 AND skipped EQUAL tests)
    message(STATUS "every test of ${PROGRAM} was skipped")
endif()
