# Shared part of the MinGW-w64 toolchains; the arch files set VAULTRINE_MINGW_TRIPLE first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VAULTRINE_MINGW_ARCH})

# The -posix flavour gives std::thread and friends; winpthread is linked statically below.
set(CMAKE_C_COMPILER   ${VAULTRINE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VAULTRINE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${VAULTRINE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VAULTRINE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No MinGW runtime DLL may be needed beside the deliverables.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
