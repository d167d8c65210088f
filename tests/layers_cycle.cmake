# The layers check must fail on an include that closes a cycle: string 1's
# locator including the pointer directory, whose module includes the items
# (it did once, and the check let it pass). The include is planted in a
# copy of the sources, and the check is run on the copy.
#   cmake -DSOURCE_DIR=<project>/src -DWORK_DIR=<dir> -P tests/layers_cycle.cmake
cmake_minimum_required(VERSION 3.25)

set(copy ${WORK_DIR}/src)
file(REMOVE_RECURSE ${copy})
file(COPY ${SOURCE_DIR}/formats ${SOURCE_DIR}/analysis DESTINATION ${copy})
set(planted analysis/strings/boot_string1.cpp)
file(APPEND ${copy}/${planted} "#include \"analysis/pointer_directory.h\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${copy} -P ${CMAKE_CURRENT_LIST_DIR}/../cmake/check_layers.cmake
                RESULT_VARIABLE result ERROR_VARIABLE output)
if(result EQUAL 0 OR NOT output MATCHES "${planted} includes analysis/pointer_directory")
  message(FATAL_ERROR "The layers check let the planted cycle pass:\n${output}")
endif()
