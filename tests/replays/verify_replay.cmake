# Verifies one journal and fails, showing both, when the output is not the expected one.
execute_process(COMMAND ${GAME} --verify ${JOURNAL}
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
if(NOT output STREQUAL expected OR NOT status EQUAL 0)
  message(FATAL_ERROR "${JOURNAL} (status ${status}):\n${output}${errors}expected:\n${expected}")
endif()
