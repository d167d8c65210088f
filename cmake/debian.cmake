# The files Debian wants for the documents of a package, which CPack does not
# write: the copyright file, in the machine-readable format, the changelog
# and the doc-base entry of the HTML help. quarzel_debian_docs() installs
# them.

# TEXT as the continuation lines of a field: each line indented by a space,
# an empty line as " .".
function(dep5_text text result)
  string(STRIP "${text}" text)
  string(REGEX REPLACE "\n[ \t]*\n" "\n\n" text "${text}")
  string(REPLACE "\n\n" "\n.\n" text "${text}")
  string(REPLACE "\n\n" "\n.\n" text "${text}")
  string(REPLACE "\n" "\n " text "${text}")
  set(${result} " ${text}" PARENT_SCOPE)
endfunction()

# A machine-readable copyright file; a line of blanks parts paragraphs as an
# empty one does.
function(dep5_read path result)
  file(READ ${path} text)
  string(REGEX REPLACE "\n[ \t]+\n" "\n\n" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# From a package's machine-readable copyright file: the Copyright and License
# fields of its "Files: *" paragraph, as written, and the names of the
# licenses whose texts stand in paragraphs of their own.
function(dep5_main_paragraph path copyright_result license_result names_result)
  dep5_read(${path} text)
  string(REGEX MATCH "(^|\n\n)Files: \\*\n([^\n]|\n[^\n])*" paragraph "${text}")
  string(REGEX MATCH "\nCopyright:([^\n]|\n[ \t])*" copyright "${paragraph}")
  string(REGEX MATCH "\nLicense:([^\n]|\n[ \t])*" license "${paragraph}")
  if(NOT copyright OR NOT license)
    message(FATAL_ERROR "${path} has no \"Files: *\" paragraph with its copyright and license")
  endif()
  # A License field of one line names its licenses ("public-domain or Expat");
  # their texts follow apart.
  set(names "")
  if(NOT license MATCHES "\n.*\n")
    string(REGEX REPLACE "^\nLicense: *" "" expression "${license}")
    string(REGEX MATCHALL "[^ ,]+" names "${expression}")
    list(REMOVE_ITEM names or and)
  endif()
  string(STRIP "${copyright}" copyright)
  string(STRIP "${license}" license)
  set(${copyright_result} "${copyright}" PARENT_SCOPE)
  set(${license_result} "${license}" PARENT_SCOPE)
  set(${names_result} ${names} PARENT_SCOPE)
endfunction()

# The stand-alone License paragraph of NAME in a machine-readable copyright file.
function(dep5_license_paragraph path name result)
  dep5_read(${path} text)
  string(REGEX REPLACE "([][+.*?()^$|\\\\])" "\\\\\\1" pattern "${name}")
  string(REGEX MATCH "(^|\n\n)License: ${pattern}\n([^\n]|\n[^\n])*" paragraph "${text}")
  if(NOT paragraph)
    message(FATAL_ERROR "${path} names the license ${name} but gives no text of it")
  endif()
  string(STRIP "${paragraph}" paragraph)
  set(${result} "${paragraph}" PARENT_SCOPE)
endfunction()

# The copyright file of the package of PROGRAM: quarzel's own paragraph and
# license, then a paragraph for each library compiled into the program,
# with the copyright and license its Debian package states.
function(quarzel_debian_copyright program result)
  string(REGEX REPLACE "^Copyright (\\(c\\) )?" "" copyright "${QUARZEL_COPYRIGHT}")
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
  string(FIND "${license}" "Permission" start)
  string(SUBSTRING "${license}" ${start} -1 license)
  dep5_text("${license}" license)
  string(CONCAT text
         "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
         "Upstream-Name: ${PROJECT_NAME}\n"
         "Upstream-Contact: ${CPACK_PACKAGE_CONTACT}\n"
         "Source: ${PROJECT_HOMEPAGE_URL}\n\n"
         "Files: *\n"
         "Copyright: ${copyright}\n"
         "License: ${QUARZEL_LICENSE}\n")
  set(licenses "License: ${QUARZEL_LICENSE}\n${license}")
  quarzel_carried_notices(notices ${program})
  foreach(name ${notices})
    quarzel_notice_source(${name} package copyright_file)
    dep5_main_paragraph(${copyright_file} their_copyright their_license license_names)
    # The files as the program's sources include them: "CLI/*".
    get_property(file GLOBAL PROPERTY QUARZEL_NOTICE_FILE_${name})
    get_filename_component(files "${file}" NAME)
    if(IS_DIRECTORY "${file}")
      string(APPEND files "/*")
    endif()
    string(APPEND text "\nFiles: ${files}\n${their_copyright}\n${their_license}\n"
           "Comment: ${name}, compiled into usr/bin/${program}; its copyright and\n"
           " license as the Debian package ${package} states them.\n")
    # Each license text once.
    foreach(license_name ${license_names})
      string(FIND "${licenses}" "License: ${license_name}\n" known)
      if(known EQUAL -1)
        dep5_license_paragraph(${copyright_file} ${license_name} paragraph)
        string(APPEND licenses "\n\n${paragraph}")
      endif()
    endforeach()
  endforeach()
  set(${result} "${text}\n${licenses}\n" PARENT_SCOPE)
endfunction()

# The changelog of a package built straight from the project (a native
# package): one entry for this version, dated today, or SOURCE_DATE_EPOCH.
function(quarzel_debian_changelog package result)
  string(TIMESTAMP date "%a, %d %b %Y 00:00:00 +0000" UTC)
  string(CONCAT text
         "${package} (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
         "  * ${PROJECT_NAME} ${PROJECT_VERSION}.\n\n"
         " -- ${CPACK_PACKAGE_CONTACT}  ${date}\n")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# Writes the copyright file and the gzipped changelog of the package of
# PROGRAM and installs them into FOLDER (under the prefix); registers the
# help pages in its subfolder HTML, which open at PAGE, with doc-base.
function(quarzel_debian_docs program folder html page)
  set(out ${CMAKE_BINARY_DIR}/debian)
  file(MAKE_DIRECTORY ${out})
  quarzel_debian_copyright(${program} copyright)
  file(WRITE ${out}/copyright "${copyright}")
  quarzel_debian_changelog(${program} changelog)
  file(WRITE ${out}/changelog "${changelog}")
  # -n: no name or time in the header, so the same entry packs the same.
  execute_process(COMMAND gzip -9n INPUT_FILE ${out}/changelog OUTPUT_FILE ${out}/changelog.gz
                  COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${out}/copyright ${out}/changelog.gz DESTINATION ${folder})

  string(CONCAT entry
         "Document: ${program}\n"
         "Title: ${PROJECT_NAME} help\n"
         "Author: ${QUARZEL_HOLDER}\n"
         "Abstract: How to use ${PROJECT_NAME}, its pages and its commands, and\n"
         " what the items of a 3dfx video BIOS image mean.\n"
         "Section: System/Hardware\n\n"
         "Format: HTML\n"
         "Index: ${CPACK_PACKAGING_INSTALL_PREFIX}/${folder}/${html}/${page}\n"
         "Files: ${CPACK_PACKAGING_INSTALL_PREFIX}/${folder}/${html}/*.html\n")
  file(WRITE ${out}/doc-base "${entry}")
  install(FILES ${out}/doc-base DESTINATION ${CMAKE_INSTALL_DATADIR}/doc-base RENAME ${program})
endfunction()
