# Cross build of the Windows programs with mingw-w64 (posix threads, for
# std::mutex and the like, which GoogleTest needs), run by ctest through
# Wine. 64-bit by default; the 32-bit toolchain file sets QUARZEL_MINGW_CPU
# to i686 and includes this one.
if(NOT QUARZEL_MINGW_CPU)
  set(QUARZEL_MINGW_CPU x86_64)
endif()
set(triplet ${QUARZEL_MINGW_CPU}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QUARZEL_MINGW_CPU})
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# The programs run on Windows XP SP3 and later: the headers offer nothing
# newer, and the executables carry XP's subsystem version (5.01; 5.02 for
# XP x64), which later Windows accept and XP requires.
if(QUARZEL_MINGW_CPU STREQUAL "i686")
  set(subsystem_minor 1)
else()
  set(subsystem_minor 2)
endif()
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0501 -DWINVER=0x0501")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0501 -DWINVER=0x0501")
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,${subsystem_minor}")
# The 32-bit programs compute on the x87 (Pentium Pro instructions, no SSE2:
# these cards sit in Pentium II/III and K6 machines). mingw-w64's start-up
# code sets the x87 to 64-bit mantissas, so a clock or a rate rounded in a
# register differs in its last bits from the same value stored to memory,
# and from the other builds' SSE2. CRT_fp8.o starts the program as Windows
# starts every thread, with 53-bit mantissas: each operation then rounds
# exactly as a double does, wherever the compiler keeps the value.
if(QUARZEL_MINGW_CPU STREQUAL "i686")
  string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " ${CMAKE_FIND_ROOT_PATH}/lib/CRT_fp8.o")
endif()
# The mingw-w64 runtime libraries carry DWARF sections; a Release program
# is linked without them (3 MB becomes 1.6 MB), and the programs the
# suites test are the very ones that ship.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
