# soravik-calc with a reader that has gone (a pipe closed at the other end, as
# after `| head -1`): every output file is still written, the status is 1.
#   cmake -DCALC=<soravik-calc> -DEXAMPLE=<worked-example.inp> -DWORK=<folder> -P calc_closed_pipe.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
foreach(i RANGE 1 3)
    file(COPY_FILE "${EXAMPLE}" "${WORK}/g${i}.inp")
endforeach()
execute_process(COMMAND python3 -c [=[
import os, subprocess, sys
reader, writer = os.pipe()
os.close(reader)
print(subprocess.run(sys.argv[1:], stdout=writer, stderr=subprocess.DEVNULL).returncode)
]=] "${CALC}" g1.inp g2.inp g3.inp WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE status)
if(NOT status STREQUAL "1\n" OR NOT EXISTS "${WORK}/g3.out")
    message(FATAL_ERROR "exit status ${status} with a closed pipe, or g3.out not written")
endif()
file(REMOVE_RECURSE "${WORK}")
