# Run after ui_tests is built: writes one CTest test per window test class,
# so that a failure names its window. Inputs: TEST_EXECUTABLE, OUTPUT and
# TEST_ENV (the environment, entries separated by "|").
execute_process(COMMAND "${TEST_EXECUTABLE}" --list
    OUTPUT_VARIABLE classes RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "ui_tests --list failed: ${result}")
endif()
string(REPLACE "|" ";" environment "${TEST_ENV}")
string(REPLACE "\n" ";" classes "${classes}")
set(content "")
foreach(class IN LISTS classes)
    if(class)
        string(APPEND content "add_test([=[${class}]=] [=[${TEST_EXECUTABLE}]=] [=[${class}]=])\n")
        string(APPEND content "set_tests_properties([=[${class}]=] PROPERTIES ENVIRONMENT [=[${environment}]=])\n")
    endif()
endforeach()
file(WRITE "${OUTPUT}" "${content}")
