# Cross-building the Windows program on Linux with MinGW-w64 (64-bit):
#   cmake -S . -B build-windows -G Ninja \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# The posix-threads variant of the compiler is the one whose standard library
# has std::thread and std::mutex; the win32-threads variant has neither.
# Programs are linked statically so that they run (under Wine, or copied to a
# Windows machine) without MinGW's runtime DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOVIK_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOVIK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOVIK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOVIK_MINGW_PREFIX}-windres)

# Libraries and packages come from the MinGW tree only, never from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TOVIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Lets ctest run the test programs under Wine when it is installed.
find_program(TOVIK_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TOVIK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TOVIK_WINE})
endif()
