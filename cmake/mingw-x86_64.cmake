# 64-bit Windows: the same sources, for machines whose kernel cannot run 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CORVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CORVANE_WIDL_TARGET --win64)
set(CORVANE_WINE_LIB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
