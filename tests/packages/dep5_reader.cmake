# The reader of Debian's machine-readable copyright files (cmake/debian.cmake)
# on the shapes those files take: continued fields, a choice of licenses
# with their texts apart, a text in the field itself, a separator line of
# blanks, and ";" in a text, which a CMake list would split.
#   cmake -P tests/packages/dep5_reader.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/debian.cmake)

function(expect what actual wanted)
  if(NOT actual STREQUAL wanted)
    message(SEND_ERROR "${what}:\n[${actual}]\nwanted:\n[${wanted}]")
  endif()
endfunction()

# The files are written into the working folder, and removed at the end.
set(work ${CMAKE_CURRENT_BINARY_DIR}/dep5_reader)
set(apart ${work}/apart)
file(WRITE ${apart} "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n\n"
     "Files: debian/*\nCopyright: 2020 Packager\nLicense: GPL-2\n\n"
     "Files: *\nCopyright: 2001 First\n           2002 Second\nLicense: GPL-2+ or Expat\n  \n"
     "License: GPL-2\n Two.\n\n"
     "License: GPL-2+\n Terms; with a semicolon.\n .\n Second part.\n\n"
     "License: Expat\n Permission.\n")
dep5_main_paragraph(${apart} copyright license names)
expect("continued Copyright" "${copyright}" "Copyright: 2001 First\n           2002 Second")
expect("License" "${license}" "License: GPL-2+ or Expat")
expect("licenses named" "${names}" "GPL-2+;Expat")
dep5_license_paragraph(${apart} GPL-2+ text)
expect("GPL-2+ text" "${text}" "License: GPL-2+\n Terms; with a semicolon.\n .\n Second part.")
dep5_license_paragraph(${apart} Expat text)
expect("last paragraph" "${text}" "License: Expat\n Permission.")

set(inline ${work}/inline)
file(WRITE ${inline} "Files: *\nCopyright: 2010 Someone\nLicense: public-domain\n Free to all.\n")
dep5_main_paragraph(${inline} copyright license names)
expect("License with its text" "${license}" "License: public-domain\n Free to all.")
expect("no licenses apart" "${names}" "")

file(REMOVE_RECURSE ${work})
