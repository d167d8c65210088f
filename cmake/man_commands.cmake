# Writes the help2man include file that gives the man page of quarzel-cli a
# section COMMANDS: each command's --help as the program prints it.
#   cmake -DCLI=<quarzel-cli> -DOUT=<file> -P cmake/man_commands.cmake
cmake_minimum_required(VERSION 3.25)

# The names listed under "Commands:" in a --help page.
function(listed_commands help result)
  string(REGEX MATCH "\nCommands:\n[^\n]*(\n  [^\n]*)*" section "${help}")
  string(REGEX MATCHALL "\n  [a-z]+ " names "${section}")
  list(TRANSFORM names STRIP)
  set(${result} ${names} PARENT_SCOPE)
endfunction()

# One command's help as preformatted roff.
function(command_section words result)
  string(REPLACE ";" " " title "${words}")
  execute_process(COMMAND ${CLI} ${words} --help OUTPUT_VARIABLE help COMMAND_ERROR_IS_FATAL ANY)
  string(REPLACE "\\" "\\e" help "${help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
  set(${result} ".SS ${title}\n.nf\n${help}.fi\n" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE help COMMAND_ERROR_IS_FATAL ANY)
listed_commands("${help}" commands)
set(text "[COMMANDS]\n")
foreach(command ${commands})
  command_section("${command}" section)
  string(APPEND text "${section}")
  execute_process(COMMAND ${CLI} ${command} --help OUTPUT_VARIABLE inner_help COMMAND_ERROR_IS_FATAL ANY)
  listed_commands("${inner_help}" inner)
  foreach(name ${inner})
    command_section("${command};${name}" section)
    string(APPEND text "${section}")
  endforeach()
endforeach()
file(WRITE ${OUT} "${text}")
