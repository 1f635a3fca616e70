# Cross build for 64-bit Windows with MinGW-w64; tests run under Wine's 64-bit loader.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model: the win32 one has no std::mutex and GoogleTest needs it.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# /usr/bin/wine takes the 32-bit loader whenever one is installed, and some hosts cannot run it:
# the 64-bit loader is called by name, and WINELOADER tells Wine which one starts child processes.
set(CMAKE_CROSSCOMPILING_EMULATOR env WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64)
