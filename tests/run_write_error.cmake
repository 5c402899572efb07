cmake_minimum_required(VERSION 3.25)
# Output that cannot be written is reported and the run ends with status 1,
# not as a success: PROGRAM writes INPUT's entries to /dev/full.
execute_process(COMMAND ${PROGRAM}
  INPUT_FILE ${INPUT}
  OUTPUT_FILE /dev/full
  ERROR_VARIABLE messages
  RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT messages MATCHES "^Error writing output: [^\n]+\n$")
  message(FATAL_ERROR "status ${status}, messages: ${messages}")
endif()
