# soravik-calc --exclude on a copy of the worked example with a fourth data
# set: the statistics and JSON are those of the what-if fit, the output file
# is byte for byte the one written without it.
#   cmake -DCALC=<soravik-calc> -DEXAMPLE=<worked-example.inp> -DWORK=<folder> -P calc_exclude.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(READ "${EXAMPLE}" example)
string(REPLACE "    3       1.500       1.000      1.150\n"
    "    3       1.500       1.000      1.150\n    4       4.000       0.700      1.050\n"
    example "${example}")
file(WRITE "${WORK}/four.inp" "${example}")

include("${CMAKE_CURRENT_LIST_DIR}/calc_cli_support.cmake")

run_calc(four.inp)
file(READ "${WORK}/four.out" standard HEX)

# Without data set 4 the worked example's own line: Ka = 2.0723684210526.
run_calc(--format json --exclude 4 four.inp)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "exit status ${status}: ${err}")
endif()
string(JSON ka GET "${out}" 0 Ka)
expect_contains("what-if Ka" "${ka}" "2.07236842105")
string(JSON excluded GET "${out}" 0 excluded 0)
string(JSON inFit GET "${out}" 0 data 3 in_fit)
string(JSON leverage GET "${out}" 0 data 0 leverage)
string(JSON code GET "${out}" 0 warnings 0 code)
if(NOT excluded EQUAL 4 OR NOT inFit STREQUAL "OFF" OR NOT leverage MATCHES "^0\\.7631578947"
   OR NOT code STREQUAL "Ka_interval_includes_zero")
    message(FATAL_ERROR "JSON of the what-if fit: ${out}")
endif()
file(READ "${WORK}/four.out" written HEX)
if(NOT written STREQUAL standard)
    message(FATAL_ERROR "--exclude changed the output file")
endif()

run_calc(--stats --exclude=4,9 four.inp)
expect_contains("--stats --exclude" "${out}" " Statistics without data set 4 (n = 3; what-if only")
expect_contains("--stats --exclude" "${out}" " Ka = 2.072 m/day   95 % interval -17.47 to 21.62\n")
expect_contains("--stats --exclude" "${out}" " Warning: Only 3 data sets are in the fit")
expect_contains("unknown data set" "${err}" "soravik-calc: four.inp: The file has no data set 9 to leave out.")

foreach(arguments IN ITEMS "--exclude;4;four.inp" "--stats;--exclude;0;four.inp"
        "--stats;--exclude;3,x;four.inp" "--stats;--exclude")
    run_calc(${arguments})
    if(NOT status EQUAL 2)
        message(FATAL_ERROR "exit status for '${arguments}': ${status}")
    endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
