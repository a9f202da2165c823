# Runs the window program with no display at all: the help and the version
# are printed and succeed, a wrong option or a second file fails with the
# usage line on standard error, and no window is tried (it would abort).
#   cmake -DWINDOW=<soravik> -DVERSION=<version> -P window_cli.cmake
cmake_minimum_required(VERSION 3.25)

function(run_window expected_status)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM "${WINDOW}" ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
    if(NOT status STREQUAL expected_status)
        message(FATAL_ERROR "soravik ${ARGN}: exit status ${status}, expected ${expected_status}\n"
            "${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_start what text start)
    string(FIND "${text}" "${start}" position)
    if(NOT position EQUAL 0)
        message(FATAL_ERROR "${what} does not start with \"${start}\":\n${text}")
    endif()
endfunction()

set(usage "Usage: soravik [--help] [--version] [FILE]\n")
run_window(0 --help)
expect_start("--help" "${out}" "${usage}")
run_window(0 --version)
expect_start("--version" "${out}" "soravik ${VERSION}\n")

run_window(2 --bogus field.inp)
expect_start("an unknown option" "${out}${err}" "soravik: unknown option '--bogus'\n${usage}")
run_window(2 a.inp b.inp)
expect_start("two files" "${out}${err}" "soravik: only one file can be opened\n${usage}")
