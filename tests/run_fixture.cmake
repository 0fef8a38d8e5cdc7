# Runs the program with a fixture file on standard input and checks, byte for byte,
# standard output against the expected file, an empty standard error and the exit
# status. Called as: cmake -DPROGRAM=... -DFIXTURE=<path without extension> -P ...
file(READ "${FIXTURE}.status" expected_status)
string(STRIP "${expected_status}" expected_status)
execute_process(
  COMMAND "${PROGRAM}"
  INPUT_FILE "${FIXTURE}.in"
  OUTPUT_FILE "${FIXTURE_OUTPUT}"
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status STREQUAL expected_status)
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}")
endif()
if(NOT errors STREQUAL "")
  message(FATAL_ERROR "standard error is not empty:\n${errors}")
endif()
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E compare_files "${FIXTURE_OUTPUT}" "${FIXTURE}.out"
  RESULT_VARIABLE differ)
if(differ)
  file(READ "${FIXTURE_OUTPUT}" actual)
  message(FATAL_ERROR "standard output differs from ${FIXTURE}.out; it was:\n${actual}")
endif()
