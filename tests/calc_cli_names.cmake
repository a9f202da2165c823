# soravik-calc with names of every kind (an extension in capitals, an empty
# name, bytes that are no UTF-8, control characters) and with constants that
# no calculation takes.
#   cmake -DCALC=<soravik-calc> -DEXAMPLE=<worked-example.inp> -DWORK=<folder> -P calc_cli_names.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(REAL_PATH "${WORK}" WORK)

# Runs a shell line in WORK with $1 the program and $2 the worked example,
# and checks its exit status and that `part` stands in the stream `stream`.
function(expect_run line expected_status stream part)
    execute_process(COMMAND sh -c "${line}" sh "${CALC}" "${EXAMPLE}" WORKING_DIRECTORY "${WORK}"
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    string(FIND "${${stream}}" "${part}" position)
    if(NOT status STREQUAL expected_status OR position EQUAL -1)
        message(FATAL_ERROR "${line}: status ${status}, no \"${part}\" in:\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

expect_run([=[cp "$2" UP.INP && echo other > UP.inp && "$1" UP.INP && test ! -e UP.out]=]
    0 out " File: ${WORK}/UP.OUT\n Results")
expect_run([=["$1" ""]=] 1 err "soravik-calc: The file name is empty, so there is no file")
expect_run([=[sed 's/0\.10\r$/0.00\r/' "$2" > r.inp; "$1" r.inp; [ $? = 1 ] && test ! -e r.out]=]
    0 err "r.inp: The drain radius must be a positive length, not 0 m.\n")

# Names that are no UTF-8 stay apart in JSON, read as Latin-1 and in full.
expect_run([=[a=$(printf 'a\351.inp') b=$(printf 'a\377.inp'); cp "$2" "$a"; cp "$2" "$b"
    "$1" --format json "$a" "$b"]=]
    0 out "\"file_bytes\": \"61e92e696e70\",")
string(JSON name GET "${out}" 0 file)
string(JSON other GET "${out}" 1 output_file_bytes)
if(NOT name STREQUAL "aé.inp" OR NOT other MATCHES "61ff2e6f7574$")
    message(FATAL_ERROR "names in JSON: ${name}, ${other}")
endif()

# A control character in a name reaches standard error escaped, never raw.
string(ASCII 27 escape)
expect_run([=["$1" "$(printf 'x\033[2J.inp')"]=] 1 err "soravik-calc: x\\x1b[2J.inp: The file")
string(FIND "${err}" "${escape}" raw)
if(NOT raw EQUAL -1)
    message(FATAL_ERROR "a raw escape character on standard error:\n${err}")
endif()

file(REMOVE_RECURSE "${WORK}")
