# The Windows programs must load on Windows XP SP3: every function they
# import from a DLL must be one that XP's DLL exports (the lists in
# tests/xp_exports, one file a DLL), and the subsystem version must be one
# XP's loader accepts (5.01 for a 32-bit program, 5.02 for XP x64). Run as a
# test:
#   cmake -DOBJDUMP=<objdump> -DLISTS=<project>/tests/xp_exports
#         -DPROGRAMS=<a.exe;b.exe> -P cmake/check_imports.cmake
cmake_minimum_required(VERSION 3.25)

set(faults "")
foreach(program ${PROGRAMS})
  get_filename_component(name ${program} NAME)
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${program}")
  endif()
  string(REPLACE ";" "\\;" headers "${headers}")
  string(REPLACE "\n" ";" lines "${headers}")

  set(dll "")
  set(imports 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^Magic[ \t]+0*([0-9a-f]+)")
      # 10b: a 32-bit program; 20b: a 64-bit one.
      if(CMAKE_MATCH_1 STREQUAL "10b")
        set(newest_minor 1)
      else()
        set(newest_minor 2)
      endif()
    elseif(line MATCHES "^MajorSubsystemVersion[ \t]+([0-9]+)")
      set(major ${CMAKE_MATCH_1})
    elseif(line MATCHES "^MinorSubsystemVersion[ \t]+([0-9]+)")
      set(minor ${CMAKE_MATCH_1})
    elseif(line MATCHES "^\tDLL Name: (.+)$")
      string(TOLOWER "${CMAKE_MATCH_1}" dll)
      set(list_file ${LISTS}/${dll}.txt)
      if(EXISTS ${list_file})
        file(STRINGS ${list_file} exports REGEX "^[^#]")
      else()
        list(APPEND faults "${name} imports from ${dll}, which has no list of XP's exports")
        set(dll "")
      endif()
    elseif(line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([^ ]+)$")
      math(EXPR imports "${imports} + 1")
      if(dll AND NOT CMAKE_MATCH_1 IN_LIST exports)
        list(APPEND faults "${name} imports ${dll} ${CMAKE_MATCH_1}, which Windows XP lacks")
      endif()
    elseif(line STREQUAL "")
      set(dll "")
    endif()
  endforeach()

  if(imports EQUAL 0)
    list(APPEND faults "${name}: no imports found in the output of ${OBJDUMP} -p")
  endif()
  if(NOT major EQUAL 5 OR minor GREATER newest_minor)
    list(APPEND faults "${name} needs subsystem version ${major}.${minor}; XP loads 5.0${newest_minor} at most")
  endif()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Not for Windows XP:\n  ${text}")
endif()
