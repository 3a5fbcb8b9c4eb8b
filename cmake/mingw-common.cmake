# Shared settings of the mingw-w64 cross toolchains. The including file sets
# QESH_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

# The -posix compilers: GoogleTest needs std::mutex, which the win32 thread
# model lacks.
set(CMAKE_C_COMPILER ${QESH_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QESH_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QESH_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QESH_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# -static: without it the posix runtime still imports libwinpthread-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# The library is linked with unused sections dropped, so that the static
# runtime adds only what it uses.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
set(QESH_SECTION_FLAGS "-ffunction-sections -fdata-sections")
# Function-local statics get no locks (which would bring the threads
# library's guard code in): the library's own code has none that is
# initialised on first use (tests/build/local_statics.py checks); what its
# threads share lives at namespace scope and is guarded. C++ only.
set(QESH_CXX_ONLY_FLAGS "-fno-threadsafe-statics")

# Windows programs run under Wine with the project's own prefix: the top-level
# CMakeLists.txt sets the emulator (scripts/wine-run with the configured Wine).
