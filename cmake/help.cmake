# The help file quarzel.chm, compiled from help/ with chmcmd (the Free Pascal
# CHM compiler, Debian package fp-utils) and placed beside quarzel.exe, where
# the Help command looks for it. Built with every build of the desktop program.

option(QUARZEL_HELP "Build the help file quarzel.chm beside quarzel.exe" ON)
if(NOT QUARZEL_HELP)
  return()
endif()

find_program(QUARZEL_CHMCMD chmcmd)
if(NOT QUARZEL_CHMCMD)
  message(FATAL_ERROR "chmcmd, which builds quarzel.chm, is missing: run scripts/bootstrap "
                      "(it installs fp-utils), or configure with -DQUARZEL_HELP=OFF")
endif()

file(GLOB QUARZEL_HELP_SOURCES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/help/*.html ${PROJECT_SOURCE_DIR}/help/*.css
     ${PROJECT_SOURCE_DIR}/help/*.hhp ${PROJECT_SOURCE_DIR}/help/*.hhc
     ${PROJECT_SOURCE_DIR}/help/*.hhk)

# chmcmd reads the sources beside the project file but writes quarzel.chm into
# the folder it runs in: a work folder, so that a failed run, which can leave
# a partial file, never stands beside quarzel.exe.
set(QUARZEL_HELP_WORK ${CMAKE_CURRENT_BINARY_DIR}/help)
file(MAKE_DIRECTORY ${QUARZEL_HELP_WORK})
if(CMAKE_RUNTIME_OUTPUT_DIRECTORY)
  set(QUARZEL_HELP_FILE ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/quarzel.chm)
else()
  set(QUARZEL_HELP_FILE ${CMAKE_CURRENT_BINARY_DIR}/quarzel.chm)
endif()

add_custom_command(
  OUTPUT ${QUARZEL_HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -E rm -f quarzel.chm
  COMMAND ${QUARZEL_CHMCMD} ${PROJECT_SOURCE_DIR}/help/quarzel.hhp
  COMMAND ${CMAKE_COMMAND} -E copy quarzel.chm ${QUARZEL_HELP_FILE}
  WORKING_DIRECTORY ${QUARZEL_HELP_WORK}
  DEPENDS ${QUARZEL_HELP_SOURCES}
  COMMENT "Compiling the help file quarzel.chm"
  VERBATIM)
add_custom_target(quarzel-help ALL DEPENDS ${QUARZEL_HELP_FILE})
add_dependencies(quarzel quarzel-help)
