# Cross build for 64-bit Windows with MinGW-w64: the build that runs under Wine in the tests.
set(GAMESIFT_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
