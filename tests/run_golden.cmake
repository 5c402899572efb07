cmake_minimum_required(VERSION 3.25)
# Runs PROGRAM on CASE.in and compares standard output, standard error and
# exit status byte for byte with CASE.out, CASE.err and CASE.status.
get_filename_component(name ${CASE} NAME)
file(MAKE_DIRECTORY ${WORKDIR})
set(args "")
if(EXISTS ${CASE}.args)
  file(STRINGS ${CASE}.args args)
endif()
execute_process(COMMAND ${PROGRAM} ${args}
  INPUT_FILE ${CASE}.in
  OUTPUT_FILE ${WORKDIR}/${name}.out
  ERROR_FILE ${WORKDIR}/${name}.err
  RESULT_VARIABLE status)
file(READ ${CASE}.status expected_status)
string(STRIP "${expected_status}" expected_status)

set(failed "")
if(NOT "${status}" STREQUAL "${expected_status}")
  string(APPEND failed "exit status ${status}, expected ${expected_status}\n")
endif()
foreach(stream out err)
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
