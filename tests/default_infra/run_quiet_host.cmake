# Runs quiet_host with the trace environment given and checks its output.
#   HOST      the program
#   LEVEL     value of VCBI_TRACE ("" leaves it unset)
#   FILE      value of VCBI_TRACE_FILE ("" leaves it unset); removed first
#   EXPECT    where the trace must appear: "none", "stderr" or "file"
# The trace expected at level 1: the reports with a code other than 0
# (mcxcom's is traced too) and the debug line, in order.
set(env_args --unset=VCBI_TRACE --unset=VCBI_TRACE_FILE)
if(NOT LEVEL STREQUAL "")
  list(APPEND env_args VCBI_TRACE=${LEVEL})
endif()
if(NOT FILE STREQUAL "")
  file(REMOVE ${FILE})
  list(APPEND env_args VCBI_TRACE_FILE=${FILE})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env_args} ${HOST}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "quiet_host failed (${rc}):\n${out}${err}")
endif()
set(trace "** MCXCOM: IER = 0\n** UR1PLS: IER = 100\n** UNITVT: failure\nMSIMPL : OPTION INCORRECT\n** MSIMPL: IER = 2\n")
if(EXPECT STREQUAL "none")
  if(NOT out STREQUAL "" OR NOT err STREQUAL "")
    message(FATAL_ERROR "trace level 0 wrote something:\nstdout: [${out}]\nstderr: [${err}]")
  endif()
elseif(EXPECT STREQUAL "stderr")
  if(NOT err STREQUAL trace OR NOT out STREQUAL "")
    message(FATAL_ERROR "expected on stderr:\n${trace}found:\n${err}\nand on stdout:\n${out}")
  endif()
else()
  file(READ ${FILE} got)
  if(NOT got STREQUAL trace OR NOT out STREQUAL "" OR NOT err STREQUAL "")
    message(FATAL_ERROR "expected in ${FILE}:\n${trace}found:\n${got}\nstdout: [${out}]\nstderr: [${err}]")
  endif()
endif()
