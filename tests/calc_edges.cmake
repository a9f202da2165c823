# soravik-calc on fields at the edges of what the fit can say, made from the
# pipe-drain field's site constants and headings with other data lines.
#   cmake -DCALC=<soravik-calc> -DEXAMPLE=<pipe-drain-field.inp> -DWORK=<folder> -P calc_edges.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${EXAMPLE}" DESTINATION "${WORK}")
include("${CMAKE_CURRENT_LIST_DIR}/calc_cli_support.cmake")
file(READ "${EXAMPLE}" example)
set(separator " - - - - - - - - - - - - - - - - - - - - -")
string(FIND "${example}" "${separator}" table)
string(SUBSTRING "${example}" 0 ${table} heading)
function(write_field name)
    string(JOIN "\n" rows ${ARGN})
    file(WRITE "${WORK}/${name}" "${heading}${separator}\n${rows}\n${separator}\n")
endfunction()

write_field(same.inp "    1 2.1 0.7 1.0" "    2 2.5 0.7 1.0" "    3 2.3 0.45 0.75")
run_calc(same.inp)
expect_equal("exit status with every H\" the same" "${status}" "1")
expect_equal("message with every H\" the same" "${err}"
    "soravik-calc: same.inp: All data sets have the same H\" (0.3 m); no line can be fitted.\n")
if(EXISTS "${WORK}/same.out")
    message(FATAL_ERROR "an output file was written with every H\" the same")
endif()

# Q/H" = 0.01 H" + 0.02 with H" = 0.05 k, data set 5 at twice its discharge.
write_field(outlier.inp "    1 1.025 1.00 1.05" "    2 2.100 0.95 1.05" "    3 3.225 0.90 1.05"
    "    4 4.400 0.85 1.05" "    5 11.250 0.80 1.05")
run_calc(--stats outlier.inp)
expect_contains("--stats" "${out}" "Bonferroni p below 0.05): 5 (t = unbounded, p = 0)\n")
run_calc(--format json outlier.inp)
string(JSON t TYPE "${out}" 0 data 4 t)
string(JSON unbounded GET "${out}" 0 data 4 t_unbounded)
string(JSON bounded GET "${out}" 0 data 3 t_unbounded)
expect_equal("t, t_unbounded of data sets 5 and 4" "${t} ${unbounded} ${bounded}" "NULL ON OFF")

write_field(huge.inp "    1 1.1e300 1.00 1.05" "    2 1.2e300 0.95 1.05" "    3 1.3e300 0.90 1.05"
    "    4 1.4e300 0.85 1.05")
run_calc(--stats huge.inp)
expect_contains("--stats of huge discharges" "${out}" " Statistics (n = 4): too large to compute, ")

file(REMOVE_RECURSE "${WORK}")
