# Cross build for 32-bit Windows; tests run under Wine's 32-bit loader.
set(tildario_mingw_processor i686)
set(tildario_wine_loader /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
