# Puts a delivered ledger at LEDGER unless a file is already there (an existing ledger is never touched).
if(NOT EXISTS "${LEDGER}")
  execute_process(COMMAND "${TOOL}" new "${LEDGER}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not create the delivered ledger ${LEDGER}")
  endif()
endif()
