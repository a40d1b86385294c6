# Fails when the library names a run path or the build's output folder: the engine and the driver
# must come from the library search path alone.
execute_process(COMMAND ${READELF} -d ${LIBRARY} OUTPUT_VARIABLE dynamic RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "readelf failed on ${LIBRARY}")
endif()
if(dynamic MATCHES "RPATH|RUNPATH")
  message(FATAL_ERROR "${LIBRARY} carries a run path:\n${dynamic}")
endif()
file(STRINGS ${LIBRARY} mentions REGEX "${OUT_DIR}")
if(mentions)
  message(FATAL_ERROR "${LIBRARY} names the build output folder: ${mentions}")
endif()
