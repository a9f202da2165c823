# soravik-calc where its files or its standard output turn against it: an
# output name that leads to the input file, and a reader that goes away.
#   cmake -DCALC=<soravik-calc> -DEXAMPLE=<worked-example.inp> -DWORK=<folder> -P calc_files.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(REAL_PATH "${WORK}" WORK)
file(READ "${EXAMPLE}" example HEX)

function(expect_equal what actual expected)
    if(NOT actual STREQUAL expected)
        message(FATAL_ERROR "${what}:\n--- got ---\n${actual}\n--- expected ---\n${expected}")
    endif()
endfunction()

# f.out a link to f.inp, either way round: the input file stays as it was.
foreach(link IN ITEMS "f.out;f.inp" "f.inp;f.out")
    list(GET link 0 name)
    list(GET link 1 target)
    file(COPY_FILE "${EXAMPLE}" "${WORK}/${target}")
    file(CREATE_LINK "${target}" "${WORK}/${name}" SYMBOLIC)
    execute_process(COMMAND "${CALC}" f.inp WORKING_DIRECTORY "${WORK}"
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    expect_equal("exit status, ${name} linked to ${target}" "${status}" "1")
    expect_equal("message, ${name} linked to ${target}" "${err}"
        "soravik-calc: f.inp: The input file \"${WORK}/f.inp\" and the output file \"${WORK}/f.out\" are one and the same file (through a link); nothing was written, so that the input file is kept.\n")
    file(READ "${WORK}/${target}" kept HEX)
    expect_equal("input file, ${name} linked to ${target}" "${kept}" "${example}")
    file(REMOVE "${WORK}/f.out" "${WORK}/f.inp")
endforeach()

# A reader that has gone (a pipe whose other end is closed, as after
# `| head -1`) stops no calculation: every output file is written.
foreach(i RANGE 1 5)
    file(COPY_FILE "${EXAMPLE}" "${WORK}/g${i}.inp")
endforeach()
execute_process(COMMAND python3 -c [=[
import os, subprocess, sys
reader, writer = os.pipe()
os.close(reader)
print(subprocess.run(sys.argv[1:], stdout=writer, stderr=subprocess.DEVNULL).returncode)
]=] "${CALC}" g1.inp g2.inp g3.inp g4.inp g5.inp
    WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE)
expect_equal("exit status with a closed pipe" "${status}" "1")
foreach(i RANGE 1 5)
    if(NOT EXISTS "${WORK}/g${i}.out")
        message(FATAL_ERROR "g${i}.out was not written after the pipe closed")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
