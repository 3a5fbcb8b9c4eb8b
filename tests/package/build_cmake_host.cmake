# Configures and builds the host project SOURCE in a fresh BINARY folder with
# the mingw-w64 TOOLCHAIN, finding the package in the unpacked RELEASE only.
file(REMOVE_RECURSE ${BINARY})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY} --toolchain ${TOOLCHAIN}
                        -DCMAKE_PREFIX_PATH=${RELEASE} -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY} COMMAND_ERROR_IS_FATAL ANY)
