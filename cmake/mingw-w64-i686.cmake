# Cross build for 32-bit Windows, the shipped build (compiled and linked only:
# 32-bit programs cannot execute on these machines).
set(LUMBRA_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
