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

# The page: its modules joined into its one script (cmake/page_script.py
# says why), beside index.html and the style sheet as they are; nothing is
# fetched from elsewhere.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QUARZEL_PAGE_SOURCE ${PROJECT_SOURCE_DIR}/src/web/page)
set(QUARZEL_SITE ${CMAKE_BINARY_DIR}/site)
file(GLOB QUARZEL_PAGE_MODULES CONFIGURE_DEPENDS ${QUARZEL_PAGE_SOURCE}/*.js)
add_custom_command(OUTPUT ${QUARZEL_SITE}/quarzel.js
                   COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/cmake/page_script.py
                           ${QUARZEL_PAGE_SOURCE}/quarzel.js ${QUARZEL_SITE}/quarzel.js
                   DEPENDS ${QUARZEL_PAGE_MODULES} ${PROJECT_SOURCE_DIR}/cmake/page_script.py VERBATIM)
set(page_copies ${QUARZEL_SITE}/quarzel.js)
foreach(name index.html style.css)
  add_custom_command(OUTPUT ${QUARZEL_SITE}/${name}
                     COMMAND ${CMAKE_COMMAND} -E copy ${QUARZEL_PAGE_SOURCE}/${name} ${QUARZEL_SITE}/${name}
                     DEPENDS ${QUARZEL_PAGE_SOURCE}/${name} VERBATIM)
  list(APPEND page_copies ${QUARZEL_SITE}/${name})
endforeach()
add_custom_target(quarzel-page ALL DEPENDS ${page_copies})
