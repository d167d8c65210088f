# Every target of the fuzz preset is built with AddressSanitizer and
# UndefinedBehaviorSanitizer; the first report ends the program, so a unit
# test or a fuzz run fails on it.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzz preset needs clang++ (libFuzzer): run scripts/bootstrap")
endif()
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
