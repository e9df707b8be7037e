# Verifies one journal and fails, showing both, when the output is not the expected one. The
# game reads a copy of the data: a file another game holds open cannot be opened, and the tests
# run side by side.
file(REMOVE_RECURSE ${WORK})
file(COPY ${DATA}/ DESTINATION ${WORK}/data)
execute_process(COMMAND ${GAME} --verify ${JOURNAL} --data ${WORK}/data
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
file(REMOVE_RECURSE ${WORK})
file(READ ${EXPECTED} expected)
if(NOT output STREQUAL expected OR NOT status EQUAL 0)
  message(FATAL_ERROR "${JOURNAL} (status ${status}):\n${output}${errors}expected:\n${expected}")
endif()
