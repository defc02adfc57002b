# Cross build for 64-bit Windows with Debian's mingw-w64 compilers, the
# variant with the posix thread model (std::thread and std::jthread need it).
# Programs are linked statically, so that they run without the compiler's
# DLLs; tests and build-time helpers run under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# GoogleTest is built for Windows into a prefix of the build folder, passed
# in CMAKE_PREFIX_PATH.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# M_PI and its kin, which glibc's math.h declares by default, come from
# mingw's only on request. Same constants, so the same results.
set(CMAKE_CXX_FLAGS_INIT "-D_USE_MATH_DEFINES")
