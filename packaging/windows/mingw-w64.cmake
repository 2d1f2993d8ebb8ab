# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (mingw-w64).
# The posix-thread variant of the compilers: Qt's threads need std::thread
# and its mutexes, which the win32-thread variant lacks. Used to build Qt
# itself (packaging/windows/build-qt.sh), and through Qt's own
# qt.toolchain.cmake, which loads a copy of this file, for the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KOVRENDA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KOVRENDA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KOVRENDA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KOVRENDA_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KOVRENDA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
