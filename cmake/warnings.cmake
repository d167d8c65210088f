# One set of warnings for every target of the project, native and mingw-w64.
function(quarzel_warnings target)
  # C++ only: resource scripts go through windres, which takes none of these.
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow
                         -Wconversion -Wsign-conversion -Werror=return-type>)
  # GCC 12 warns falsely about std::string concatenation (GCC bug 105651).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
  endif()
  # clang counts indexing an array with a FontSize (an int enum) as a sign
  # change, which g++ does not; the g++ builds keep the warning.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wno-sign-conversion>)
  endif()
  if(MINGW)
    # C99 printf: "%g" and "%zu" behave as on Linux.
    target_compile_definitions(${target} PRIVATE __USE_MINGW_ANSI_STDIO=1)
    # Every program starts on Windows XP (src/xp): its objects go straight
    # onto the link line, ahead of the runtime libraries they stand in for.
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_link_libraries(${target} PRIVATE quarzel_xp quarzel_static_runtime)
    endif()
  endif()
endfunction()

if(MINGW)
  add_library(quarzel_xp OBJECT ${PROJECT_SOURCE_DIR}/src/xp/tick_count64.cpp)
  quarzel_warnings(quarzel_xp)
  # Each program carries its runtime (-static), so that it is one file that
  # runs without MinGW's DLLs beside it. What it carries, by the archive
  # the compiler takes it from:
  add_library(quarzel_static_runtime INTERFACE)
  target_link_options(quarzel_static_runtime INTERFACE -static)
  set(runtime
      libstdc++     libstdc++.a    # GCC's C++ library
      libgcc        libgcc.a       # GCC's helpers and unwinder (libgcc_eh.a beside it)
      winpthreads   libpthread.a   # the threads behind std::mutex
      mingw-w64-crt libmingwex.a)  # start-up code, C library, import libraries
  while(runtime)
    list(POP_FRONT runtime name archive)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${archive} OUTPUT_VARIABLE path
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    quarzel_notice(quarzel_static_runtime ${name} ${path})
  endwhile()
endif()
