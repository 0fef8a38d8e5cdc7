# Installs the build into a scratch prefix and checks the installed tree: the
# program runs the worked example byte for byte, and the man page is where man
# looks for it and renders without warnings.
# Called as: cmake -DBUILD_DIR=... -DPREFIX=... -DFIXTURE=<path without extension> -P ...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  OUTPUT_QUIET RESULT_VARIABLE installed)
if(installed)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(program "${PREFIX}/bin/polyfit")
set(man_page "${PREFIX}/share/man/man1/polyfit.1")
foreach(path "${program}" "${man_page}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

execute_process(COMMAND "${program}" INPUT_FILE "${FIXTURE}.in"
  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
file(READ "${FIXTURE}.out" expected)
if(NOT status EQUAL 0 OR NOT errors STREQUAL "" OR NOT output STREQUAL expected)
  message(FATAL_ERROR "the installed program gives status ${status} and:\n${output}${errors}")
endif()

find_program(MANDOC mandoc)
find_program(GROFF groff)
if(MANDOC)
  execute_process(COMMAND "${MANDOC}" -Tlint "${man_page}"
    OUTPUT_VARIABLE lint ERROR_VARIABLE lint RESULT_VARIABLE lint_status)
elseif(GROFF)
  execute_process(COMMAND "${GROFF}" -ww -z -man "${man_page}"
    OUTPUT_VARIABLE lint ERROR_VARIABLE lint RESULT_VARIABLE lint_status)
else()
  message(STATUS "neither mandoc nor groff found: the man page is not linted")
  set(lint "")
  set(lint_status 0)
endif()
if(NOT lint_status EQUAL 0 OR NOT lint STREQUAL "")
  message(FATAL_ERROR "the man page has warnings:\n${lint}")
endif()
