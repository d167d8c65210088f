# The web page (preset web): the core and the page's exported interface as
# one WebAssembly module, and the static page beside it, in build/web/site.
# The module is a WASI reactor: the page calls _initialize once, then the
# exported functions as often as it likes. The core passes 64 KiB images by
# value, which wasm-ld's default 64 KiB stack does not hold.
file(GLOB QUARZEL_WEB_SOURCES CONFIGURE_DEPENDS src/web/*.cpp)
add_executable(quarzel-web ${QUARZEL_WEB_SOURCES})
set_target_properties(quarzel-web PROPERTIES OUTPUT_NAME quarzel SUFFIX .wasm RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/site)
target_link_libraries(quarzel-web PRIVATE quarzel_shared)
target_link_options(quarzel-web PRIVATE -mexec-model=reactor -Wl,-z,stack-size=1048576 -Wl,--strip-all)
quarzel_warnings(quarzel-web)

# The page's own files, as they are: no bundler, nothing fetched from
# elsewhere. index.html gets a preload line for each of its modules.
file(GLOB QUARZEL_PAGE_FILES CONFIGURE_DEPENDS src/web/page/*)
list(REMOVE_ITEM QUARZEL_PAGE_FILES ${PROJECT_SOURCE_DIR}/src/web/page/index.html)
set(QUARZEL_PAGE_PRELOADS "")
foreach(file ${QUARZEL_PAGE_FILES})
  get_filename_component(name ${file} NAME)
  if(name MATCHES "\\.js$" AND NOT name STREQUAL "quarzel.js")
    string(APPEND QUARZEL_PAGE_PRELOADS "<link rel=\"modulepreload\" href=\"${name}\">\n")
  endif()
endforeach()
string(STRIP "${QUARZEL_PAGE_PRELOADS}" QUARZEL_PAGE_PRELOADS)
configure_file(src/web/page/index.html ${CMAKE_BINARY_DIR}/site/index.html @ONLY)
set(page_copies "")
foreach(file ${QUARZEL_PAGE_FILES})
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/site/${name}
                     COMMAND ${CMAKE_COMMAND} -E copy ${file} ${CMAKE_BINARY_DIR}/site/${name}
                     DEPENDS ${file} VERBATIM)
  list(APPEND page_copies ${CMAKE_BINARY_DIR}/site/${name})
endforeach()
add_custom_target(quarzel-page ALL DEPENDS ${page_copies})
