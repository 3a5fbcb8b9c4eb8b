set(QESH_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# SSE arithmetic, so floating point gives the same results as the native build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse ${QESH_SECTION_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse ${QESH_SECTION_FLAGS} ${QESH_CXX_ONLY_FLAGS}")
