# Cross build for Windows with MinGW-w64, included by the toolchain file of each architecture
# after it sets tildario_mingw_processor (x86_64, i686) and tildario_wine_loader.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${tildario_mingw_processor})
set(triple ${tildario_mingw_processor}-w64-mingw32)

# The posix thread model: the win32 one has no std::mutex and GoogleTest needs it.
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests run under Wine's loader of the same architecture, called by name: /usr/bin/wine takes
# the 32-bit loader whenever one is installed, and some hosts cannot run it. WINELOADER tells
# Wine which loader starts the programs' child processes.
set(CMAKE_CROSSCOMPILING_EMULATOR env WINELOADER=${tildario_wine_loader} ${tildario_wine_loader})
