# Runs soravik-calc on a copy of the worked example and compares what it prints
# and writes; then checks the exit status of a failed file and of wrong usage.
#   cmake -DCALC=<soravik-calc> -DEXAMPLE=<worked-example.inp> -DWORK=<folder> -P calc_cli.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(REAL_PATH "${WORK}" WORK)
file(COPY "${EXAMPLE}" DESTINATION "${WORK}")

include("${CMAKE_CURRENT_LIST_DIR}/calc_cli_support.cmake")

set(expected " File: ${WORK}/worked-example.out\n")
string(APPEND expected [=[ Results of the Soravik calculator
 Q/H" = A.H" + B  with  A =  0.009    B = 0.0082    H" = H - E
 Ka = A*S^2/4 =  2.072   Kb = B*S^2/8*d =  0.398  with d =  2.323
 (see Intro and Figure tabs)
]=])

run_calc(worked-example.inp)
expect_equal("exit status" "${status}" "0")
expect_equal("standard output" "${out}" "${expected}")
expect_equal("standard error" "${err}" "")
# Read as hexadecimal: a text read would drop the carriage returns.
file(READ "${WORK}/worked-example.out" written HEX)
string(REPLACE "\n" "\r\n" expectedFile "${expected}")
string(HEX "${expectedFile}" expectedFile)
expect_equal("output file, hexadecimal" "${written}" "${expectedFile}")

run_calc(--option 2 worked-example.inp)
expect_equal("exit status with --option 2" "${status}" "0")
expect_contains("--option 2" "${out}" " Soravik calculator results\n")
expect_contains("--option 2" "${out}" "A =  0.038    B = 1.0000")
expect_contains("--option 2" "${out}" " Ka = A*S^2/4 =  0.000   Kb = B*S^2/8*d =  0.000")

# A missing file fails, the other one is still calculated.
run_calc(missing.inp worked-example.inp)
expect_equal("exit status with a missing file" "${status}" "1")
expect_equal("standard output with a missing file" "${out}" "${expected}")
expect_contains("message" "${err}" "soravik-calc: missing.inp: The file \"${WORK}/missing.inp\"could not be opened.")

# Its messages end with a full stop, as the window's error box shows them.
file(WRITE "${WORK}/bad.inp" " File Name: bad.inp\n\n Drain depth (m)             1.O3\n")
run_calc(bad.inp)
expect_equal("exit status with a bad number" "${status}" "1")
expect_equal("message for a bad number" "${err}" "soravik-calc: bad.inp: Invalid numeric input.\n")

# What this run wrote is printed, not the file read back (which another run may
# have rewritten): under a umask of 777 it cannot be read back, as nobody.
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
set(unprivileged "")
if(uid STREQUAL "0")
    set(unprivileged setpriv --reuid=65534 --regid=65534 --clear-groups)
endif()
file(CHMOD "${WORK}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_WRITE GROUP_EXECUTE WORLD_READ WORLD_WRITE WORLD_EXECUTE)
file(REMOVE "${WORK}/worked-example.out")
execute_process(COMMAND ${unprivileged} sh -c "umask 777 && exec \"$0\" \"$@\""
        "${CALC}" worked-example.inp
    WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect_equal("exit status with an unreadable output file" "${status}" "0")
expect_equal("printed with an unreadable output file" "${out}" "${expected}")
file(REMOVE "${WORK}/worked-example.out")

# Results that cannot be printed are no success.
foreach(redirection IN ITEMS ">&-" "> /dev/full")
    execute_process(COMMAND sh -c "exec \"$0\" \"$@\" ${redirection}" "${CALC}" worked-example.inp
        WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status ERROR_VARIABLE err)
    expect_equal("exit status with '${redirection}'" "${status}" "1")
    expect_contains("message with '${redirection}'" "${err}"
        "soravik-calc: standard output: The results could not be printed: ")
endforeach()

# One JSON document for the whole run, numbers in full precision: they agree
# with the statistics worked out outside the program (tests/core/
# FitStatisticsTest.cpp) to twelve digits. The output file stays the same.
function(expect_json_number what json prefix)
    string(JSON value GET "${json}" ${ARGN})
    string(FIND "${value}" "${prefix}" position)
    if(NOT position EQUAL 0)
        message(FATAL_ERROR "${what}: ${value} does not begin with ${prefix}")
    endif()
endfunction()
run_calc(--format json worked-example.inp missing.inp)
expect_equal("exit status of --format json with a missing file" "${status}" "1")
string(JSON entries LENGTH "${out}")
expect_equal("entries of --format json" "${entries}" "2")
string(JSON name GET "${out}" 0 file)
expect_equal("file of the first entry" "${name}" "worked-example.inp")
expect_json_number("r_squared" "${out}" "0.64473684210" 0 r_squared)
expect_json_number("s" "${out}" "0.00121666065848" 0 s)
expect_json_number("se_A" "${out}" "0.00683704266145" 0 se_A)
expect_json_number("A_ci95" "${out}" "-0.0776623375306" 0 A_ci95 0)
expect_json_number("Ka_ci95" "${out}" "21.6187627864" 0 Ka_ci95 1)
expect_json_number("residual of data set 2" "${out}" "-0.00098684210526" 0 residuals 1)
string(JSON suspects LENGTH "${out}" 0 suspect)
expect_equal("suspect data sets" "${suspects}" "0")
string(JSON error GET "${out}" 1 error)
expect_contains("error of the missing file" "${error}" "missing.inp\"could not be opened.")
file(READ "${WORK}/worked-example.out" written HEX)
expect_equal("output file after --format json" "${written}" "${expectedFile}")

run_calc(--format=text worked-example.inp)
expect_equal("standard output of --format=text" "${out}" "${expected}")
run_calc(--stats worked-example.inp)
expect_contains("--stats" "${out}" "${expected} Statistics (n = 3):\n R^2 = 0.6447   s = 0.001217")
expect_contains("--stats" "${out}" " Ka = 2.072 m/day   95 % interval -17.47 to 21.62\n")

foreach(arguments IN ITEMS "" "--bogus;worked-example.inp" "--option;3;worked-example.inp" "--option"
        "--format;xml;worked-example.inp")
    run_calc(${arguments})
    expect_equal("exit status for '${arguments}'" "${status}" "2")
endforeach()

run_calc(--help)
expect_equal("exit status of --help" "${status}" "0")
expect_contains("--help" "${out}"
    "Usage: soravik-calc [--option 1|2] [--format text|json|csv] [--stats]\n")

file(REMOVE_RECURSE "${WORK}")
