# What `cmake --install` puts where, and the package CPack makes of it
# (scripts/package writes both into dist/):
#   Windows (the 32-bit build): quarzel-VERSION-windows.zip, a folder with
#     quarzel.exe, quarzel-cli.exe, quarzel.chm and README.txt;
#   Linux: quarzel-cli_VERSION_amd64.deb, the command-line tool with its
#     manual page, bash completion and the help pages as HTML.
# The command-line tool's own rules (the program, its manual page and its
# completion) stand beside its target.

set(CPACK_PACKAGE_VENDOR "quarzel")
set(CPACK_PACKAGE_CONTACT "quarzel developers <quarzel@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})

if(WIN32)
  install(TARGETS quarzel RUNTIME DESTINATION .)
  if(QUARZEL_HELP)
    install(FILES ${QUARZEL_HELP_FILE} DESTINATION .)
  endif()
  # The README as text with CR LF line ends, which Notepad on XP needs.
  file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
  string(REPLACE "\r\n" "\n" readme "${readme}")
  string(REPLACE "\n" "\r\n" readme "${readme}")
  set(readme_txt ${CMAKE_BINARY_DIR}/README.txt)
  if(EXISTS ${readme_txt})
    file(READ ${readme_txt} written)
  endif()
  if(NOT written STREQUAL readme)  # unchanged, it keeps its time
    file(WRITE ${readme_txt} "${readme}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)
  install(FILES ${readme_txt} DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME quarzel)
  # The 32-bit programs are the ones shipped: they run on every Windows from
  # XP on. The 64-bit build's zip, never shipped, keeps a name of its own.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_PACKAGE_FILE_NAME quarzel-${PROJECT_VERSION}-windows64)
  else()
    set(CPACK_PACKAGE_FILE_NAME quarzel-${PROJECT_VERSION}-windows)
  endif()
else()
  set(QUARZEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quarzel-cli)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${QUARZEL_DOC_DIR}/html
          FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png")
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${QUARZEL_DOC_DIR})

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME quarzel-cli)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the video BIOS images of 3dfx graphics boards (command line)")
  set(CPACK_PACKAGE_DESCRIPTION
      "quarzel-cli reads, edits and compares the video BIOS images of 3dfx boards\n"
      "(Banshee, Avenger, Napalm, Napalm2 and Rampage families, and Voodoo Rush):\n"
      "sign-on strings, BIOS date, register boot values and PLL clock, VGA fonts,\n"
      "PCI data, VESA strings and video mode tables, and boots an image in an\n"
      "emulated PC.")
  string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
  # The libraries the program links, as dpkg-shlibdeps finds them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # `quarzel-cli boot` runs the image in Bochs in a private X display and
  # takes the emulated screen's picture.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bochs, bochsbios, vgabios, bochs-x, xvfb, x11-utils, imagemagick")
endif()

include(CPack)
