# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64). scripts/test-mingw
# builds the Qt-free engine and its tests with it (TARVEX_CORE_ONLY) and runs them under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model: GCC 12's win32 one has no std::thread or std::mutex.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and packages for the target only; build tools from this machine.
# Roots given on the command line (Qt and GoogleTest built for Windows) are kept.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthread linked in, so that a program runs without their DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# ctest starts the test programs through Wine.
find_program(TARVEX_WINE wine)
if(TARVEX_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TARVEX_WINE})
endif()
