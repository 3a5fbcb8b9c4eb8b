# Runs the host EXE under Wine (WINE_RUN) with a work folder that has no
# template folder and the data source D:\data\source; passes when the host
# exits 0 having printed the result DoIt gave it, the path with a backslash.
execute_process(COMMAND ${WINE_RUN} ${EXE} "C:\\qesh-package-test\\no-work-folder\\"
                        "D:\\data\\source"
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE exit_code)
message("${output}${errors}")
if(NOT exit_code EQUAL 0)
  message(FATAL_ERROR "the host exited with ${exit_code}")
endif()
if(NOT output MATCHES "result: D:\\\\data\\\\source\\\\\r?\n")
  message(FATAL_ERROR "the host printed no result D:\\data\\source\\")
endif()
