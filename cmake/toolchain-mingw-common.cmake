# What both MinGW-w64 cross builds share; the including file sets GAMESIFT_MINGW_TRIPLET.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${GAMESIFT_MINGW_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${GAMESIFT_MINGW_TRIPLET}-g++)
set(CMAKE_RC_COMPILER ${GAMESIFT_MINGW_TRIPLET}-windres)
set(CMAKE_OBJDUMP ${GAMESIFT_MINGW_TRIPLET}-objdump CACHE FILEPATH "objdump of the target")

# Libraries and headers come from the MinGW sysroot only; programs (convert, objdump) from the
# build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${GAMESIFT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static, so that neither the DLL nor the host stand-in needs a MinGW runtime DLL
# beside it on the user's machine or in the Wine prefix.
set(gamesift_static_link "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${gamesift_static_link}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${gamesift_static_link}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${gamesift_static_link}")
