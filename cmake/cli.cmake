# quarzel-cli. The commands are a library of their own, so that the fuzz
# targets reach the CLI's parsing without its entry point.
file(GLOB_RECURSE QUARZEL_CLI_SOURCES CONFIGURE_DEPENDS src/cli/*.cpp)
list(REMOVE_ITEM QUARZEL_CLI_SOURCES ${PROJECT_SOURCE_DIR}/src/cli/main.cpp)
add_library(quarzel_cli_commands STATIC ${QUARZEL_CLI_SOURCES})
target_link_libraries(quarzel_cli_commands PUBLIC quarzel_shared quarzel_cli11 quarzel_stb quarzel_version)
quarzel_warnings(quarzel_cli_commands)
add_executable(quarzel-cli src/cli/main.cpp)
target_link_libraries(quarzel-cli PRIVATE quarzel_cli_commands)
quarzel_warnings(quarzel-cli)
install(TARGETS quarzel-cli)
# bash's completion is for the Linux package; the Windows zip holds programs
# and their help only.
if(NOT WIN32)
  install(FILES src/cli/quarzel-cli.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME quarzel-cli)
endif()

# The man page, made by help2man from --help and --version of the program
# just built, with each command's --help in a section of its own, and
# installed gzipped as Debian wants it; a cross build has no program it can
# run.
if(NOT CMAKE_CROSSCOMPILING)
  find_program(QUARZEL_HELP2MAN help2man)
  if(NOT QUARZEL_HELP2MAN)
    message(FATAL_ERROR "help2man not found: run scripts/bootstrap")
  endif()
  set(QUARZEL_MAN_PAGE ${CMAKE_BINARY_DIR}/quarzel-cli.1)
  set(QUARZEL_MAN_COMMANDS ${CMAKE_BINARY_DIR}/quarzel-cli-commands.h2m)
  add_custom_command(
    OUTPUT ${QUARZEL_MAN_PAGE} ${QUARZEL_MAN_PAGE}.gz
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:quarzel-cli> -DOUT=${QUARZEL_MAN_COMMANDS}
            -P ${PROJECT_SOURCE_DIR}/cmake/man_commands.cmake
    COMMAND ${QUARZEL_HELP2MAN} --no-info --no-discard-stderr --include ${QUARZEL_MAN_COMMANDS}
            --name "inspect and edit the video BIOS images of 3dfx graphics boards"
            --output ${QUARZEL_MAN_PAGE} $<TARGET_FILE:quarzel-cli>
    # -n: no name or time in the header, so the same page packs the same.
    COMMAND gzip -9nkf ${QUARZEL_MAN_PAGE}
    DEPENDS quarzel-cli ${PROJECT_SOURCE_DIR}/cmake/man_commands.cmake
    COMMENT "Writing the man page quarzel-cli.1")
  add_custom_target(quarzel-cli-man ALL DEPENDS ${QUARZEL_MAN_PAGE}.gz)
  install(FILES ${QUARZEL_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
