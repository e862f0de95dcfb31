# 64-bit Windows: the same sources, for running the tests on machines that
# run no 32-bit x86 code.
set(MINGW_PROCESSOR x86_64)
set(MINGW_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
