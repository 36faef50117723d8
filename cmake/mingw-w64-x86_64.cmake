# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Programs are linked statically (libstdc++, libgcc, winpthread, zlib), so an
# .exe runs on a bare Windows with no DLL beside it. Tests run under Wine.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ARBREL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ARBREL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ARBREL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ARBREL_MINGW_PREFIX}-windres)

# Libraries and headers only from the MinGW sysroot (and from prefixes
# given with CMAKE_PREFIX_PATH below it); build tools from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ARBREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(ZLIB_USE_STATIC_LIBS ON)

# add_test() and test discovery run the .exe through Wine.
find_program(ARBREL_WINE NAMES wine wine64)
if(ARBREL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ARBREL_WINE})
endif()
