# Installs the build into a scratch prefix and runs bin/velcurve demo there:
# the installed tool must find the installed libraries by itself.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${err}")
endif()
execute_process(COMMAND ${WORK_DIR}/prefix/bin/velcurve demo --svg ${WORK_DIR}/demo.svg
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "KESTRANE_WORKS_QBX2_INTERNAL_VelCurveBasedMathematics\\(\\): 1")
  message(FATAL_ERROR "installed velcurve demo failed (${rc}):\n${out}\n${err}")
endif()
