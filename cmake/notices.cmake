# The code of other projects that the programs carry: the header libraries
# compiled into them and, in the Windows programs, the runtimes linked in
# with them (-static). The target that brings such code in names it with
# quarzel_notice(); a program carries what every target it links brings.
# Its license is the copyright file of the Debian package that holds the
# file the build takes the code from, so the packages' notices follow the
# libraries this machine builds with.

# TARGET brings in the code of NAME, read from FILE (a header folder or a
# library archive).
function(quarzel_notice target name file)
  set_property(TARGET ${target} APPEND PROPERTY QUARZEL_NOTICES ${name})
  set_property(GLOBAL PROPERTY QUARZEL_NOTICE_FILE_${name} ${file})
endfunction()

# The names of the notices that the targets given carry, sorted: their own
# and those of every target they link, directly or through others.
function(quarzel_carried_notices result)
  set(pending ${ARGN})
  set(seen "")
  set(notices "")
  while(pending)
    list(POP_FRONT pending target)
    # A static library's private links appear as $<LINK_ONLY:...>.
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" target "${target}")
    if(NOT TARGET ${target} OR target IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${target})
    foreach(property QUARZEL_NOTICES LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(values ${target} ${property})
      if(NOT values)
        continue()
      elseif(property STREQUAL "QUARZEL_NOTICES")
        list(APPEND notices ${values})
      else()
        list(APPEND pending ${values})
      endif()
    endforeach()
  endwhile()
  list(REMOVE_DUPLICATES notices)
  list(SORT notices)
  set(${result} ${notices} PARENT_SCOPE)
endfunction()

# The Debian package that holds NAME's file, and that package's copyright
# file (its real path: packages built from one source share one).
function(quarzel_notice_source name package_result copyright_result)
  get_property(file GLOBAL PROPERTY QUARZEL_NOTICE_FILE_${name})
  get_filename_component(file "${file}" REALPATH)
  execute_process(COMMAND dpkg-query -S ${file} OUTPUT_VARIABLE owner RESULT_VARIABLE failed ERROR_QUIET)
  # "libstb-dev:amd64: /usr/include/stb"
  string(REGEX MATCH "^[^:, ]+" package "${owner}")
  set(copyright /usr/share/doc/${package}/copyright)
  if(failed OR NOT package OR NOT EXISTS ${copyright})
    message(FATAL_ERROR "The license of ${name} is unknown: no Debian package's copyright file covers ${file}. "
                        "Run scripts/bootstrap.")
  endif()
  get_filename_component(copyright ${copyright} REALPATH)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${copyright})
  set(${package_result} ${package} PARENT_SCOPE)
  set(${copyright_result} ${copyright} PARENT_SCOPE)
endfunction()

# Writes PATH, the list of NAMES one a line, for tests/packages/check_packages
# to hold each package's notices against.
function(quarzel_write_notice_list path)
  list(JOIN ARGN "\n" names)
  file(WRITE ${path} "${names}\n")
endfunction()

# The text of LICENSE.txt for the PROGRAMS (targets): quarzel's license,
# then what each program carries, then each copyright file in full under a
# heading "==== NAME, NAME ====" of the notices it covers.
function(quarzel_license_notices result)
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE text)
  string(APPEND text "\n\nThe code of other projects in these programs\n"
         "============================================\n\n"
         "The programs carry the code of the libraries below, compiled or linked\n"
         "into them. The copyright and license of each follow, as the Debian\n"
         "package that they were built from states them.\n\n")
  quarzel_carried_notices(notices ${ARGN})
  set(copyrights "")
  foreach(name ${notices})
    set(carriers "")
    foreach(program ${ARGN})
      quarzel_carried_notices(carried ${program})
      if(name IN_LIST carried)
        list(APPEND carriers ${program}${CMAKE_EXECUTABLE_SUFFIX})
      endif()
    endforeach()
    list(JOIN carriers ", " carriers)
    quarzel_notice_source(${name} package copyright)
    string(APPEND text "  ${name}: in ${carriers}; Debian package ${package}\n")
    # One section for each copyright file, under the names it covers.
    string(MD5 key ${copyright})
    if(NOT copyright IN_LIST copyrights)
      list(APPEND copyrights ${copyright})
    endif()
    list(APPEND covered_${key} ${name})
  endforeach()
  foreach(copyright ${copyrights})
    string(MD5 key ${copyright})
    list(JOIN covered_${key} ", " names)
    file(READ ${copyright} notice)
    string(APPEND text "\n\n==== ${names} ====\n\n${notice}")
  endforeach()
  set(${result} "${text}" PARENT_SCOPE)
endfunction()
