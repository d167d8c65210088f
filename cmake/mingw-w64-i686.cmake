# The 32-bit Windows programs, the ones shipped: they run on every Windows
# from XP on, 32- and 64-bit.
set(QUARZEL_MINGW_CPU i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
