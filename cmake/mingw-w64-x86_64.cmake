# Cross build for 64-bit Windows; the programs run here under Wine.
set(LUMBRA_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
