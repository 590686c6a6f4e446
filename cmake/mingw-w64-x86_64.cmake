# Cross build for 64-bit Windows with Debian's mingw-w64 (POSIX threads
# flavour). scripts/windows.sh uses it under Qt's own toolchain file (the Qt
# it builds for Windows chains to this one), for the program and its tests.
# Without a Qt for Windows only the window-free part builds:
#   -DQUANTIVO_GUI=OFF -DQUANTIVO_TESTS=OFF -DQUANTIVO_BENCH=OFF
# The executables are linked statically so that they run without DLLs
# (under wine as on a bare Windows machine).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# GCC 12 warns falsely inside its own std::string code (GCC bug 105651).
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
# nlohmann-json is header-only and the same for every target: the build takes
# Debian's copy from here, without letting the host's /usr/include in.
set(QUANTIVO_NLOHMANN_JSON_HEADERS /usr/include/nlohmann CACHE PATH "Directory holding nlohmann/json.hpp")
# GoogleTest is built from Debian's source of it (package googletest) for the
# test programs.
set(QUANTIVO_GTEST_FONTES /usr/src/googletest CACHE PATH "GoogleTest's source, built for the target")
