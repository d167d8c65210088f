# Debian's header-only libraries, each exposed through a folder of the build
# tree that holds nothing but a link to the library's own include folder, so
# that the mingw-w64 build never sees the host's /usr/include. NAME is the
# library's, for the notices of the programs it is compiled into.
function(quarzel_header_library target folder name)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} not found: run scripts/bootstrap")
  endif()
  set(include ${CMAKE_BINARY_DIR}/include-${folder})
  file(MAKE_DIRECTORY ${include})
  file(CREATE_LINK /usr/include/${folder} ${include}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE)
  target_include_directories(${target} SYSTEM INTERFACE ${include})
  quarzel_notice(${target} ${name} /usr/include/${folder})
endfunction()

quarzel_header_library(quarzel_json nlohmann nlohmann-json)  # nlohmann-json3-dev
quarzel_header_library(quarzel_cli11 CLI CLI11)               # libcli11-dev
quarzel_header_library(quarzel_stb stb stb)                   # libstb-dev: PNG writing and reading
