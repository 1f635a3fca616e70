# Cross build for 64-bit Windows; tests run under Wine's 64-bit loader.
set(tildario_mingw_processor x86_64)
set(tildario_wine_loader /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
