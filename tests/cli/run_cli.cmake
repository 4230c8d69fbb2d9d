# Runs the tool once in a fresh folder and checks what it did.
#   EXE, DATA (the folder of the input files), WORK (the run's folder), FILES (inputs copied from DATA,
#   separated by |), ARGS (the command line, shell quoting), STDIN (a file of DATA fed to the tool),
#   STATUS (the exit status expected).
# A failing run (STATUS not 0) must print MESSAGE as its one line on standard error, nothing on
# standard output, and leave the files out.csv, out.json and out.svg that were there as they were,
# with no other file beside them. A successful run prints nothing on standard error (but the notes of a
# stderr pair), and each produced=expected pair of EXPECT (separated by |; produced "stdout" and "stderr"
# for standard output and error) must match to the byte, and the SVG file named SVG must render (where
# rsvg-convert is installed).
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
string(REPLACE "|" ";" files "${FILES}")
foreach(f IN LISTS files)
    file(COPY ${DATA}/${f} DESTINATION ${WORK})
endforeach()
foreach(f out.csv out.json out.svg)
    file(WRITE ${WORK}/${f} "old\n")
endforeach()

string(REPLACE "@OUT@" "--csv out.csv --json out.json --svg out.svg" args "${ARGS}")
separate_arguments(args UNIX_COMMAND "${args}")
set(input)
if(STDIN)
    set(input INPUT_FILE ${DATA}/${STDIN})
endif()
execute_process(COMMAND ${EXE} ${args} WORKING_DIRECTORY ${WORK} ${input} RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err)

function(fail what)
    message(FATAL_ERROR "vymath ${ARGS}\n${what}\n--- status ${status}\n--- stderr\n${err}--- stdout\n${out}")
endfunction()

if(NOT status STREQUAL STATUS)
    fail("exit status ${status}, expected ${STATUS}")
endif()

if(NOT STATUS EQUAL 0)
    if(NOT err STREQUAL "${MESSAGE}\n")
        fail("expected on standard error:\n${MESSAGE}")
    endif()
    if(NOT out STREQUAL "")
        fail("standard output not empty")
    endif()
    foreach(f out.csv out.json out.svg)
        file(READ ${WORK}/${f} text)
        if(NOT text STREQUAL "old\n")
            fail("${f} was changed")
        endif()
    endforeach()
    file(GLOB left RELATIVE ${WORK} ${WORK}/* ${WORK}/.*)
    list(REMOVE_ITEM left out.csv out.json out.svg ${files})
    if(left)
        fail("files left behind: ${left}")
    endif()
    return()
endif()

# Standard error holds nothing, or the notes of a "stderr=FILE" pair of EXPECT.
if(NOT err STREQUAL "" AND NOT EXPECT MATCHES "(^|[|])stderr=")
    fail("standard error not empty")
endif()
file(WRITE ${WORK}/stdout "${out}")
file(WRITE ${WORK}/stderr "${err}")
string(REPLACE "|" ";" pairs "${EXPECT}")
foreach(pair IN LISTS pairs)
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 produced)
    list(GET pair 1 expected)
    if(NOT EXPECTED)
        set(EXPECTED ${DATA})
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${produced} ${EXPECTED}/${expected}
                    RESULT_VARIABLE different)
    if(different)
        file(READ ${WORK}/${produced} text)
        fail("${produced} differs from ${expected}:\n${text}")
    endif()
endforeach()

if(SVG)
    file(READ ${WORK}/${SVG} text)
    if(NOT text MATCHES "^<\\?xml.*</svg>\n$")
        fail("${SVG} is not a whole SVG document")
    endif()
    find_program(RSVG rsvg-convert)
    if(RSVG)
        execute_process(COMMAND ${RSVG} -o ${WORK}/${SVG}.png ${WORK}/${SVG} RESULT_VARIABLE bad ERROR_VARIABLE why)
        if(bad)
            fail("${SVG} does not render: ${why}")
        endif()
    endif()
endif()
