# Runs verosa-cli with the arguments of one golden case and compares its
# standard output, standard error and exit status with the stored ones.
file(STRINGS ${CASE}/args args ENCODING UTF-8)
set(expected_status 0)
if(EXISTS ${CASE}/status)
  file(STRINGS ${CASE}/status expected_status)
endif()
execute_process(COMMAND ${CLI} ${args}
  WORKING_DIRECTORY ${CASE}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(expected_out "")
if(EXISTS ${CASE}/stdout)
  file(READ ${CASE}/stdout expected_out)
endif()
if(NOT status STREQUAL expected_status)
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}\nstderr: ${err}")
endif()
# A differing output is kept under the case's own name, so several failures
# can be compared side by side with their expectations.
get_filename_component(case_name ${CASE} NAME)
get_filename_component(facility_dir ${CASE} DIRECTORY)
get_filename_component(facility ${facility_dir} NAME)
set(actual ${CMAKE_CURRENT_BINARY_DIR}/golden-actual/${facility}/${case_name}.stdout)
if(NOT out STREQUAL expected_out)
  file(WRITE ${actual} "${out}")
  message(FATAL_ERROR "stdout differs from ${CASE}/stdout; actual output written to ${actual}")
endif()
# A case without a stored stderr expects none.
set(expected_err "")
if(EXISTS ${CASE}/stderr)
  file(READ ${CASE}/stderr expected_err)
endif()
if(NOT err STREQUAL expected_err)
  message(FATAL_ERROR "stderr differs: [${err}] expected [${expected_err}]")
endif()
