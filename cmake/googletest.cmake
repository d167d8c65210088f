# GoogleTest is built from the Debian googletest source package for both the
# native and the mingw-w64 build, so the two run the same framework.
set(QUARZEL_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${QUARZEL_GOOGLETEST_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${QUARZEL_GOOGLETEST_DIR}: run scripts/bootstrap")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${QUARZEL_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
if(MINGW)
  target_link_options(gtest PUBLIC -static)
endif()
include(GoogleTest)
# gtest.cc meets the same false GCC 12 -Wrestrict as our code (warnings.cmake).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(gtest PRIVATE -Wno-restrict)
endif()
