cmake_minimum_required(VERSION 3.25)
# Runs PROGRAM on CASE.in and compares standard output, standard error and
# exit status byte for byte with CASE.out, CASE.err and CASE.status.
#
# A large input is not stored: CASE.gen describes it and GENERATOR (built
# from tests/support/make_input.cpp) writes it into WORKDIR first. A large
# output is pinned by its SHA-256 in CASE.out.sha256 instead of CASE.out.
# WRAPPER, when given, is a command line (words separated by blanks) that
# runs the program, such as valgrind; "@LOG@" in it stands for the file
# WORKDIR/NAME.wrapper, where it should write its own report.
get_filename_component(name ${CASE} NAME)
file(MAKE_DIRECTORY ${WORKDIR})
set(args "")
if(EXISTS ${CASE}.args)
  file(STRINGS ${CASE}.args args)
endif()

set(input ${CASE}.in)
if(EXISTS ${CASE}.gen)
  set(input ${WORKDIR}/${name}.in)
  execute_process(COMMAND ${GENERATOR} ${CASE}.gen OUTPUT_FILE ${input} RESULT_VARIABLE made)
  if(NOT made EQUAL 0)
    message(FATAL_ERROR "${name}: the input could not be made from ${CASE}.gen")
  endif()
endif()

set(wrapper "")
if(WRAPPER)
  string(REPLACE "@LOG@" ${WORKDIR}/${name}.wrapper wrapper "${WRAPPER}")
  separate_arguments(wrapper UNIX_COMMAND "${wrapper}")
endif()
execute_process(COMMAND ${wrapper} ${PROGRAM} ${args}
  INPUT_FILE ${input}
  OUTPUT_FILE ${WORKDIR}/${name}.out
  ERROR_FILE ${WORKDIR}/${name}.err
  RESULT_VARIABLE status)
file(READ ${CASE}.status expected_status)
string(STRIP "${expected_status}" expected_status)

set(failed "")
if(NOT "${status}" STREQUAL "${expected_status}")
  string(APPEND failed "exit status ${status}, expected ${expected_status}\n")
  if(WRAPPER AND EXISTS ${WORKDIR}/${name}.wrapper)
    file(READ ${WORKDIR}/${name}.wrapper report)
    string(APPEND failed "${report}")
  endif()
endif()
if(EXISTS ${CASE}.out.sha256)
  file(READ ${CASE}.out.sha256 expected_sum)
  string(STRIP "${expected_sum}" expected_sum)
  file(SHA256 ${WORKDIR}/${name}.out sum)
  if(NOT sum STREQUAL expected_sum)
    string(APPEND failed "${name}.out has SHA-256 ${sum}, expected ${expected_sum}\n")
  endif()
  set(streams err)
else()
  set(streams out err)
endif()
foreach(stream ${streams})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CASE}.${stream} ${WORKDIR}/${name}.${stream}
    RESULT_VARIABLE differs)
  if(differs)
    string(APPEND failed "${name}.${stream} differs from the expected ${CASE}.${stream}\n")
    execute_process(COMMAND diff -a ${CASE}.${stream} ${WORKDIR}/${name}.${stream})
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "${name}: ${failed}")
endif()
