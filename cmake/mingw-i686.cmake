# The product: 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CORVANE_MINGW_PREFIX i686-w64-mingw32)
set(CORVANE_WIDL_TARGET --win32)
set(CORVANE_WINE_LIB_DIR /usr/lib/i386-linux-gnu/wine/i386-windows)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
