cmake_minimum_required(VERSION 3.25)
# The manual PAGE renders without a single warning: groff -man -ww -z prints
# nothing. Skipped when groff is absent.
find_program(groff groff)
if(NOT groff)
  message("groff is absent: skipped")
  return()
endif()
execute_process(COMMAND ${groff} -man -ww -z ${PAGE}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT output STREQUAL "")
  message(FATAL_ERROR "groff status ${status}:\n${output}")
endif()
