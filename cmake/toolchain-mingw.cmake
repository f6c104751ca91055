# Cross build for Windows with MinGW-w64 (Debian's mingw-w64 packages); the including toolchain
# file sets PW_MINGW_PREFIX and CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)

# The posix-threads variant: GoogleTest needs std::mutex, which the win32 variant of GCC 12 lacks.
# Linked statically, so no libwinpthread DLL is needed beside the exe.
set(CMAKE_C_COMPILER   ${PW_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PW_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${PW_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PW_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No MinGW DLLs beside the exe: everything static. The one place that says so, for every exe
# of the tree (the program, the console program, the tests, the benchmarks).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
