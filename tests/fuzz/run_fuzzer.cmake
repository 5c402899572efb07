cmake_minimum_required(VERSION 3.25)
# Runs the libFuzzer binary FUZZER for SECONDS on a fresh scratch copy of the
# committed corpus SEEDS (new inputs are written there only), with EXTRA as a
# further corpus folder when it exists. Inputs are kept to 32 KB (longer
# files are read cut), which is past every capacity limit and keeps the runs
# fast. Any crash, leak, failed property or input that runs longer than 10
# seconds fails the test; the input that did it lands in WORKDIR/artifacts.
set(scratch ${WORKDIR}/corpus)
file(REMOVE_RECURSE ${scratch})
file(MAKE_DIRECTORY ${scratch} ${WORKDIR}/artifacts)
file(GLOB seeds ${SEEDS}/*)
file(COPY ${seeds} DESTINATION ${scratch})
set(folders ${scratch})
if(IS_DIRECTORY ${EXTRA})
  list(APPEND folders ${EXTRA})
endif()
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -max_len=32768 -rss_limit_mb=2048
                        -artifact_prefix=${WORKDIR}/artifacts/ -print_final_stats=1 ${folders}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the fuzzer stopped with status ${status}; the input is in ${WORKDIR}/artifacts")
endif()
