# The source folders form layers: each may include its own headers and those
# of the folders below it, never one above. Run as a test:
#   cmake -DSOURCE_DIR=<project>/src -P cmake/check_layers.cmake
cmake_minimum_required(VERSION 3.25)

set(allowed_formats formats)
set(allowed_analysis formats analysis)
set(allowed_ui formats analysis ui resources)
set(allowed_pages formats analysis ui resources pages)
set(allowed_app formats analysis ui resources pages app)
set(allowed_cli formats analysis cli)

set(faults "")
foreach(folder formats analysis ui pages app cli)
  file(GLOB sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^#include \"[a-z]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" target "${line}")
      if(NOT target IN_LIST allowed_${folder})
        file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
        list(APPEND faults "${name} includes ${target}/")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
