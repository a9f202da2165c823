# soravik-calc --design on a copy of the pipe-drain field: the spacing in the
# text, --stats and JSON output, an output file byte for byte as without it,
# and the refusals.
#   cmake -DCALC=<soravik-calc> -DEXAMPLE=<pipe-drain-field.inp> -DWORK=<folder> -P calc_design.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${EXAMPLE}" DESTINATION "${WORK}")

include("${CMAKE_CURRENT_LIST_DIR}/calc_cli_support.cmake")

run_calc(pipe-drain-field.inp)
file(READ "${WORK}/pipe-drain-field.out" without HEX)

run_calc(--stats --design 7,0.5 pipe-drain-field.inp)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "exit status ${status}: ${err}")
endif()
expect_contains("--design" "${out}" " Kb = 0.692 m/day   95 % interval 0.6655 to 0.7185")
expect_contains("--design" "${out}" " Design for q = 7 mm/day, h = 0.5 m: L = 26.77 m with d = 1.748 m\n")
expect_contains("--design" "${out}" " Range of L from the 95 % intervals of Ka and Kb: 25.32 to 28.14 m\n")
file(READ "${WORK}/pipe-drain-field.out" with HEX)
if(NOT with STREQUAL without)
    message(FATAL_ERROR "the output file changed with --design")
endif()

run_calc(--format json --design=7,0.5 pipe-drain-field.inp)
string(JSON design GET "${out}" 0 design)
string(JSON spacing GET "${design}" L)
string(JSON narrowest GET "${design}" L_range 0)
if(spacing LESS 26.769 OR spacing GREATER 26.770 OR NOT narrowest LESS spacing)
    message(FATAL_ERROR "JSON design: ${design}")
endif()

run_calc(--option 2 --format json --design 7,0.5 pipe-drain-field.inp)
string(JSON error GET "${out}" 0 design error)
expect_contains("--option 2" "${error}" "The second option calculates no Ka and Kb of its own")

foreach(value IN ITEMS "0,0.5" "7,-1" "7" "7;0.5" "a,b" "7,0.5,1")
    run_calc(--design ${value} pipe-drain-field.inp)
    if(NOT status EQUAL 2)
        message(FATAL_ERROR "--design ${value}: exit status ${status}")
    endif()
endforeach()
run_calc(--design 0,0.5 pipe-drain-field.inp)
expect_contains("--design 0,0.5" "${err}" "must be a number greater than 0 mm/day.")

file(REMOVE_RECURSE "${WORK}")
