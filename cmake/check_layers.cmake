# The source folders form layers: each may include its own headers and those
# of the folders below it, never one above. Inside the core, the folders of
# the BIOS's items (strings, registers, fonts, ...) lie below what uses
# them: every other folder of analysis/ (the comparison of two images, the
# boot screen) and every module directly in analysis/ whose header or
# source includes an item's (the pass, the sample, the pointer directory).
# An item that includes one of those closes a cycle.
# Run as a test:
#   cmake -DSOURCE_DIR=<project>/src -P cmake/check_layers.cmake
cmake_minimum_required(VERSION 3.25)

set(allowed_formats formats)
set(allowed_analysis formats analysis)
set(allowed_ui formats analysis ui resources)
set(allowed_pages formats analysis ui resources pages)
set(allowed_app formats analysis ui resources pages app)
# What quarzel-cli and the page share sits above the core: how an image is
# described (describe) and how a plan of edits runs (edits).
set(allowed_describe formats analysis describe)
set(allowed_edits formats analysis describe edits)
set(allowed_cli formats analysis describe edits cli)
set(allowed_web formats analysis describe edits web)
set(item_folders strings registers fonts modes logo pci_vesa)
list(JOIN item_folders "|" item_pattern)

set(above_items "")
file(GLOB analysis_entries LIST_DIRECTORIES true ${SOURCE_DIR}/analysis/*)
foreach(entry ${analysis_entries})
  get_filename_component(name ${entry} NAME)
  if(IS_DIRECTORY ${entry})
    if(NOT name IN_LIST item_folders)
      list(APPEND above_items "analysis/${name}/")
    endif()
  else()
    file(STRINGS ${entry} item_includes REGEX "^#include \"analysis/(${item_pattern})/")
    if(item_includes)
      get_filename_component(stem ${entry} NAME_WLE)
      list(APPEND above_items "analysis/${stem}.h")
    endif()
  endif()
endforeach()
list(REMOVE_DUPLICATES above_items)

set(faults "")
foreach(folder formats analysis describe edits ui pages app cli web)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source ${sources})
    file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
    set(item FALSE)
    foreach(item_folder ${item_folders})
      if(name MATCHES "^analysis/${item_folder}/")
        set(item TRUE)
      endif()
    endforeach()
    file(STRINGS ${source} includes REGEX "^#include \"[a-z]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" target "${line}")
      if(NOT target IN_LIST allowed_${folder})
        list(APPEND faults "${name} includes ${target}/")
      endif()
      if(item)
        foreach(above ${above_items})
          string(FIND "${line}" "\"${above}" at)
          if(NOT at EQUAL -1)
            list(APPEND faults "${name} includes ${above}")
          endif()
        endforeach()
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
