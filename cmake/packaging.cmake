# What `cmake --install` puts where, and the package CPack makes of it
# (scripts/package writes both into dist/):
#   Windows (the 32-bit build): quarzel-VERSION-windows.zip, a folder with
#     quarzel.exe, quarzel-cli.exe, quarzel.chm, README.txt and LICENSE.txt
#     (quarzel's license and those of the libraries the programs carry);
#   Linux: quarzel-cli_VERSION_amd64.deb, the command-line tool with its
#     manual page, bash completion, the help pages as HTML, and the
#     copyright file and changelog Debian wants.
# The command-line tool's own rules (the program, its manual page and its
# completion) stand beside its target. Each build also writes
# embedded-libraries.txt: the names of the libraries whose code the packaged
# programs carry, which tests/packages/check_packages looks for in the
# packages' notices.

include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)

# "The quarzel developers", as LICENSE names them.
string(REGEX REPLACE "^Copyright (\\(c\\) )?[-0-9, ]+" "" QUARZEL_HOLDER "${QUARZEL_COPYRIGHT}")
set(CPACK_PACKAGE_VENDOR "quarzel")
set(CPACK_PACKAGE_CONTACT "${QUARZEL_HOLDER} <${QUARZEL_CONTACT}>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

# TEXT with CR LF line ends, which Notepad on XP needs, as the file NAME in
# the build folder, installed beside the programs. Written only when it
# changes, so that it keeps its time.
function(quarzel_install_windows_text name text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  set(path ${CMAKE_BINARY_DIR}/${name})
  set(written "")
  if(EXISTS ${path})
    file(READ ${path} written)
  endif()
  if(NOT written STREQUAL text)
    file(WRITE ${path} "${text}")
  endif()
  install(FILES ${path} DESTINATION .)
endfunction()

if(WIN32)
  install(TARGETS quarzel RUNTIME DESTINATION .)
  if(QUARZEL_HELP)
    install(FILES ${QUARZEL_HELP_FILE} DESTINATION .)
  endif()
  file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
  quarzel_install_windows_text(README.txt "${readme}")
  quarzel_license_notices(notices quarzel quarzel-cli)
  quarzel_install_windows_text(LICENSE.txt "${notices}")
  quarzel_carried_notices(embedded quarzel quarzel-cli)

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
  quarzel_debian_docs(quarzel-cli ${QUARZEL_DOC_DIR} html welcome.html)
  quarzel_carried_notices(embedded quarzel-cli)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_STRIP_FILES ON)
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

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE)
quarzel_write_notice_list(${CMAKE_BINARY_DIR}/embedded-libraries.txt ${embedded})

include(CPack)
