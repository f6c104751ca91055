# The same sources for 64-bit Windows: the build the tests run under 64-bit Wine, which starts
# on machines that refuse 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PW_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
