# What the soravik-calc scripts share: running it in WORK and the checks of
# what it printed. Included after CALC and WORK are set.

function(run_calc)
    execute_process(COMMAND "${CALC}" ${ARGN}
        WORKING_DIRECTORY "${WORK}"
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(status "${status}" PARENT_SCOPE)
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_equal what actual expected)
    if(NOT actual STREQUAL expected)
        message(FATAL_ERROR "${what}:\n--- got ---\n${actual}\n--- expected ---\n${expected}")
    endif()
endfunction()

function(expect_contains what text part)
    string(FIND "${text}" "${part}" position)
    if(position EQUAL -1)
        message(FATAL_ERROR "${what}: \"${part}\" not in:\n${text}")
    endif()
endfunction()
