cmake_minimum_required(VERSION 3.25)
# Which definition of matrix a linked PROGRAM carries, by the type nm gives
# the symbol: KIND is B for a program's own zero-initialised definition, D
# for its own initialised one, V for the library's weak storage.
execute_process(COMMAND ${NM} ${PROGRAM}
  OUTPUT_VARIABLE symbols
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} ${PROGRAM} failed: ${status}")
endif()
string(REGEX MATCHALL "[^\n]* matrix\n" found "${symbols}")
if(NOT found MATCHES "^[0-9a-f]+ ${KIND} matrix\n$")
  message(FATAL_ERROR "expected one matrix of type ${KIND}, found: ${found}")
endif()
