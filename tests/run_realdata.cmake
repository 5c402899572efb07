cmake_minimum_required(VERSION 3.25)
# Runs PROGRAM on every file of DATADIR (other projects' PIR files, read
# where they are and never copied) and compares the exit status and the
# SHA-256 of standard output and standard error with the pinned CHECKSUMS
# lines: "FILE STATUS OUT-SHA256 ERR-SHA256". When DATADIR is absent it
# says so and the test counts as skipped.
if(NOT IS_DIRECTORY ${DATADIR})
  message("${DATADIR} is absent: skipped")
  return()
endif()
file(MAKE_DIRECTORY ${WORKDIR})
file(STRINGS ${CHECKSUMS} lines REGEX "^[^#]")
set(failed "")
set(pinned "")
foreach(line ${lines})
  string(REPLACE " " ";" fields "${line}")
  list(GET fields 0 name)
  list(GET fields 1 expected_status)
  list(GET fields 2 expected_out)
  list(GET fields 3 expected_err)
  list(APPEND pinned ${name})
  if(NOT EXISTS ${DATADIR}/${name})
    string(APPEND failed "${name}: missing from ${DATADIR}\n")
    continue()
  endif()
  execute_process(COMMAND ${PROGRAM}
    INPUT_FILE ${DATADIR}/${name}
    OUTPUT_FILE ${WORKDIR}/${name}.out
    ERROR_FILE ${WORKDIR}/${name}.err
    RESULT_VARIABLE status)
  file(SHA256 ${WORKDIR}/${name}.out out)
  file(SHA256 ${WORKDIR}/${name}.err err)
  if(NOT status STREQUAL expected_status OR NOT out STREQUAL expected_out OR NOT err STREQUAL expected_err)
    string(APPEND failed "${name}: got ${status} ${out} ${err}\n")
  endif()
endforeach()
# Every data file must be pinned, so that a new one is not passed over.
file(GLOB present RELATIVE ${DATADIR} ${DATADIR}/*)
list(REMOVE_ITEM present SOURCES.md)
foreach(name ${present})
  if(NOT name IN_LIST pinned)
    string(APPEND failed "${name}: no pinned checksums\n")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "${failed}")
endif()
list(LENGTH pinned count)
message("${count} files match their pinned checksums")
