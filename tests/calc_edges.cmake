# soravik-calc on fields made by hand at the edges of what the fit can say:
# every H" the same, a data set off a line on which every other lies,
# discharges whose squares overflow, and a design the soil cannot carry.
#   cmake -DCALC=<soravik-calc> -DEXAMPLE=<pipe-drain-field.inp> -DWORK=<folder> -P calc_edges.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${EXAMPLE}" DESTINATION "${WORK}")

include("${CMAKE_CURRENT_LIST_DIR}/calc_cli_support.cmake")

# The pipe-drain field's site constants and headings with the data lines given.
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

# Q/H" = 0.01 H" + 0.02 with H" = 0.05 k, data set 10 at 2.5 times its discharge.
write_field(outlier.inp "    1 1.025 1.00 1.05" "    2 2.100 0.95 1.05" "    3 3.225 0.90 1.05"
    "    4 4.400 0.85 1.05" "    5 5.625 0.80 1.05" "    6 6.900 0.75 1.05" "    7 8.225 0.70 1.05"
    "    8 9.600 0.65 1.05" "    9 11.025 0.60 1.05" "   10 31.250 0.55 1.05")
run_calc(--stats outlier.inp)
expect_contains("--stats of the outlier" "${out}"
    " Suspect data sets (Bonferroni p below 0.05): 10 (t = unbounded, p = 0)\n")
run_calc(--format json outlier.inp)
string(JSON t TYPE "${out}" 0 data 9 t)
string(JSON unbounded GET "${out}" 0 data 9 t_unbounded)
string(JSON p GET "${out}" 0 data 9 p_bonferroni)
string(JSON bounded GET "${out}" 0 data 8 t_unbounded)
expect_equal("t, t_unbounded and p of the outlier, t_unbounded of the next"
    "${t} ${unbounded} ${p} ${bounded}" "NULL ON 0.0 OFF")

write_field(huge.inp "    1 1.1e300 1.00 1.05" "    2 1.2e300 0.95 1.05" "    3 1.3e300 0.90 1.05"
    "    4 1.4e300 0.85 1.05")
run_calc(--stats huge.inp)
expect_contains("--stats of huge discharges" "${out}" " Statistics (n = 4): too large to compute, ")

run_calc(--design 7,1e-9 pipe-drain-field.inp)
expect_contains("--design 7,1e-9" "${out}" " Design for q = 7 mm/day, h = 1e-09 m: no spacing. "
    "The design discharge is too high, or the allowed height too low, for this soil: even drains "
    "0.1008 m apart, the narrowest spacing that can be judged, leave the water table higher than h.\n")

file(REMOVE_RECURSE "${WORK}")
