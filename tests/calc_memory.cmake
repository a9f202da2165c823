# soravik-calc under an address-space limit (ulimit -v) that a file of 300,000
# data sets exceeds and the examples do not: that file alone fails with its
# error, the others are calculated, the JSON stays one valid array and the
# exit status is 1 in every format, never an abort.
#   cmake -DCALC=<soravik-calc> -DEXAMPLE=<worked-example.inp> -DWORK=<folder> -P calc_memory.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${EXAMPLE}" DESTINATION "${WORK}")

# The worked example's three data sets a hundred thousand times over.
file(READ "${EXAMPLE}" example)
string(REGEX MATCH "\n    1 [^\n]*\n    2 [^\n]*\n    3 [^\n]*\n" block "${example}")
string(SUBSTRING "${block}" 1 -1 block)
string(REPEAT "${block}" 100000 table)
string(REPLACE "${block}" "${table}" large "${example}")
file(WRITE "${WORK}/large.inp" "${large}")

include("${CMAKE_CURRENT_LIST_DIR}/calc_cli_support.cmake")

function(run_limited)
    execute_process(COMMAND sh -c "ulimit -v 30000 && exec \"$0\" \"$@\"" "${CALC}" ${ARGN}
        WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(status "${status}" PARENT_SCOPE)
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

set(told "There is not enough memory to calculate large.inp.")
foreach(format IN ITEMS text json csv)
    run_limited(--format ${format} worked-example.inp large.inp worked-example.inp)
    expect_equal("exit status as ${format}" "${status}" "1")
    expect_equal("message as ${format}" "${err}" "soravik-calc: large.inp: ${told}\n")
endforeach()
expect_contains("CSV" "${out}" "\nlarge.inp,,,,,,,,,,,,,,,,${told}\nworked-example.inp,1,3,")

run_limited(--format json worked-example.inp large.inp worked-example.inp)
string(JSON error GET "${out}" 1 error)
string(JSON ka GET "${out}" 2 Ka)
string(JSON entries LENGTH "${out}")
expect_equal("error of the large file" "${error}" "${told}")
expect_equal("entries" "${entries}" "3")
expect_contains("Ka after the large file" "${ka}" "2.07236842105")

# Without the limit the same file is calculated.
run_calc(--format csv large.inp)
expect_contains("without a limit" "${out}" "\nlarge.inp,1,300000,")

file(REMOVE_RECURSE "${WORK}")
