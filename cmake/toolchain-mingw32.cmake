# The shipped build: 32-bit Windows.
set(MINGW_PROCESSOR i686)
set(MINGW_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
