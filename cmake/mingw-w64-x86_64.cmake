# Cross-compiles quorvel.exe for 64-bit Windows with MinGW-w64 on Debian
# (package g++-mingw-w64-x86-64-posix). Tests run the .exe through Wine.
#
#   cmake -S . -B build-win --toolchain cmake/mingw-w64-x86_64.cmake
#   cmake --build build-win -j2
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORVEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUORVEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVEL_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORVEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The posix-thread runtime would otherwise leave the programs needing
# libwinpthread-1.dll, libstdc++-6.dll and libgcc_s_seh-1.dll beside them;
# linked statically they import only system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/wine)
