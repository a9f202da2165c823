# soravik-calc --format csv against --format json on the same files (the
# pipe-drain field, one with a suspect data set, the worked example, a missing
# file): the same numbers, lists and errors; RFC 4180 quoting of a name; and
# options given more than once.
#   cmake -DCALC=<soravik-calc> -DEXAMPLE=<pipe-drain-field.inp> -DWORK=<folder> -P calc_csv.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
get_filename_component(examples "${EXAMPLE}" DIRECTORY)
file(COPY "${EXAMPLE}" "${examples}/worked-example.inp" DESTINATION "${WORK}")
file(READ "${EXAMPLE}" field)
string(REPLACE "    8       7.500" "    8      11.500" field "${field}")
file(WRITE "${WORK}/suspect.inp" "${field}")

include("${CMAKE_CURRENT_LIST_DIR}/calc_cli_support.cmake")

# Each CSV column and where JSON has the same value.
set(pairs "file:file" "option:option" "d:d" "A:A" "B:B" "Ka:Ka" "Kb:Kb" "Ka_ci95_low:Ka_ci95:0"
    "Ka_ci95_high:Ka_ci95:1" "Kb_ci95_low:Kb_ci95:0" "Kb_ci95_high:Kb_ci95:1"
    "r_squared:r_squared" "s:s" "error:error")

# The JSON value at `path` of entry `i`, "" where it is null or missing.
function(json_value json i path result)
    string(JSON type ERROR_VARIABLE missing TYPE "${json}" ${i} ${path})
    set(value "")
    if(NOT missing AND NOT type STREQUAL "NULL")
        string(JSON value GET "${json}" ${i} ${path})
    endif()
    set(${result} "${value}" PARENT_SCOPE)
endfunction()

# The items of a JSON array (at `member` of each of its objects, "-" for the
# items themselves) joined by blanks.
function(json_joined json i key member result)
    if(member STREQUAL "-")
        set(member "")
    endif()
    json_value("${json}" ${i} ${key} array)
    set(joined "")
    string(JSON count ERROR_VARIABLE none LENGTH "${array}")
    if(count GREATER 0)
        math(EXPR last "${count} - 1")
        foreach(k RANGE ${last})
            string(JSON item GET "${array}" ${k} ${member})
            list(APPEND joined "${item}")
        endforeach()
    endif()
    list(JOIN joined " " joined)
    set(${result} "${joined}" PARENT_SCOPE)
endfunction()

function(expect_same what csv json)
    if(NOT csv STREQUAL json AND NOT (json MATCHES "^-?[0-9]" AND csv EQUAL json))
        message(FATAL_ERROR "${what}: CSV '${csv}', JSON '${json}'")
    endif()
endfunction()

# Runs both formats with `arguments` and compares every line with its entry.
function(compare_formats)
    run_calc(--format json ${ARGN})
    set(json "${out}")
    run_calc(--format csv ${ARGN})
    expect_equal("exit status of CSV and JSON for '${ARGN}'" "${status}" "1")
    # The line ends read as line feeds (see the check of CR LF below).
    string(REGEX REPLACE "\n$" "" lines "${out}")
    string(REPLACE "\n" ";" lines "${lines}")
    list(POP_FRONT lines heading)
    string(REPLACE "," ";" heading "${heading}")
    string(JSON entries LENGTH "${json}")
    list(LENGTH lines count)
    expect_equal("CSV lines for '${ARGN}'" "${count}" "${entries}")
    math(EXPR last "${entries} - 1")
    foreach(i RANGE ${last})
        list(GET lines ${i} line)
        # Only the error of a missing file is quoted, at the end of its line.
        string(REGEX MATCH "^([^\"]*)(\"(.*)\")?$" ignored "${line}")
        string(REPLACE "," ";" fields "${CMAKE_MATCH_1}")
        string(REPLACE "\"\"" "\"" quoted "${CMAKE_MATCH_3}")
        list(POP_BACK fields error)
        list(APPEND fields "${error}${quoted}")
        foreach(pair IN LISTS pairs)
            string(REPLACE ":" ";" pair "${pair}")
            list(POP_FRONT pair column)
            list(FIND heading "${column}" at)
            list(GET fields ${at} csv)
            json_value("${json}" ${i} "${pair}" expected)
            expect_same("${column} of line ${i} for '${ARGN}'" "${csv}" "${expected}")
        endforeach()
        foreach(list IN ITEMS "suspect;-" "warnings;code")
            list(GET list 0 column)
            list(FIND heading "${column}" at)
            list(GET fields ${at} csv)
            json_joined("${json}" ${i} ${list} expected)
            expect_same("${column} of line ${i} for '${ARGN}'" "${csv}" "${expected}")
        endforeach()
    endforeach()
    set(json "${json}" PARENT_SCOPE)
    set(out "${out}" PARENT_SCOPE)
endfunction()

# Data set 4 left out of every file, and given twice: the worked example has
# none, so its line stays whole.
compare_formats(--exclude 4 --exclude=4 pipe-drain-field.inp suspect.inp missing.inp
    worked-example.inp)
expect_contains("n without data set 4" "${out}" "\npipe-drain-field.inp,1,14,")
expect_contains("suspect data set 8" "${out}" ",8,Ka_interval_includes_zero suspect,\n")
compare_formats(--option 2 pipe-drain-field.inp missing.inp)
expect_contains("second option" "${out}" "\npipe-drain-field.inp,2,15,")

# A name with a comma and a double quote is one quoted field; every line ends
# in CR LF (a text read of the output would drop the carriage returns).
file(COPY_FILE "${WORK}/worked-example.inp" "${WORK}/a,\"b\".inp")
execute_process(COMMAND "${CALC}" --format=csv "a,\"b\".inp" WORKING_DIRECTORY "${WORK}"
    OUTPUT_FILE "${WORK}/table.csv")
file(READ "${WORK}/table.csv" table)
expect_contains("quoted name" "${table}" "error\n\"a,\"\"b\"\".inp\",1,3,")
file(READ "${WORK}/table.csv" table HEX)
string(REGEX MATCHALL "0d0a" crlf "${table}")
string(REGEX MATCHALL "0a" lf "${table}")
expect_equal("lines ended by CR LF" "${crlf}" "0d0a;0d0a")
expect_equal("line feeds" "${lf}" "0a;0a")

# Every --exclude adds up; an option of one value given twice is wrong usage,
# and so is a design, which the table has no column for.
run_calc(--format json --exclude 3 --exclude=7,3 pipe-drain-field.inp)
string(JSON excluded GET "${out}" 0 excluded)
string(REGEX REPLACE "[ \n]" "" excluded "${excluded}")
expect_equal("--exclude given twice" "${excluded}" "[3,7]")
foreach(case IN ITEMS "--option:--option;1;--option=1" "--format:--format;csv;--format;json"
        "--design:--design=7,0.5;--stats;--design;7,0.5" "--design:--format;csv;--design;7,0.5")
    string(REPLACE ":" ";" case "${case}")
    list(POP_FRONT case option)
    run_calc(${case} pipe-drain-field.inp)
    expect_equal("exit status for '${case}'" "${status}" "2")
    expect_contains("message for '${case}'" "${err}" "soravik-calc: ${option} ")
endforeach()

file(REMOVE_RECURSE "${WORK}")
