# The built-in sample image's fonts: Debian's console fonts of the
# console-data package, in code-page 437 order as a VGA BIOS holds them.
# 8x16 is default8x16, a VGA card's own code-page 437 font. The 8x14 and 8x8
# fonts are code page 865's, which differs from 437 in three characters only
# (9Bh, 9Dh, AFh); those three come from code page 850's font of the same
# face, which holds 437's cent, yen and right guillemet at BDh, BEh and AFh.
#
# Included by CMakeLists.txt, it adds the build step that writes the header
# generated/console_fonts.h; that step runs this file as a script:
#   cmake -DFONTS=<consolefonts folder> -DOUT=<header> -P cmake/console_fonts.cmake
set(console_font_names default8x16 cp865-8x14 cp850-8x14 cp865-8x8 cp850-8x8)

if(NOT CMAKE_SCRIPT_MODE_FILE)
  set(QUARZEL_CONSOLE_FONTS /usr/share/consolefonts CACHE PATH "Folder of console-data's fonts")
  set(console_font_files ${console_font_names})
  list(TRANSFORM console_font_files PREPEND ${QUARZEL_CONSOLE_FONTS}/)
  list(TRANSFORM console_font_files APPEND .psf.gz)
  foreach(file ${console_font_files})
    if(NOT EXISTS ${file})
      message(FATAL_ERROR "${file} is missing: install console-data (scripts/bootstrap does)")
    endif()
  endforeach()
  set(console_fonts_header ${CMAKE_BINARY_DIR}/generated/console_fonts.h)
  add_custom_command(OUTPUT ${console_fonts_header}
                     COMMAND ${CMAKE_COMMAND} -DFONTS=${QUARZEL_CONSOLE_FONTS} -DOUT=${console_fonts_header}
                             -P ${CMAKE_CURRENT_LIST_FILE}
                     DEPENDS ${CMAKE_CURRENT_LIST_FILE} ${console_font_files}
                     COMMENT "Reading the sample image's fonts from ${QUARZEL_CONSOLE_FONTS}"
                     VERBATIM)
  target_sources(quarzel_core PRIVATE ${console_fonts_header})
  set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/analysis/sample_image.cpp APPEND
               PROPERTY INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/generated)
  return()
endif()

cmake_minimum_required(VERSION 3.25)

# The glyphs of a PSF version 1 font of 256 characters, as hexadecimal text
# (two digits a byte); refuses anything else.
function(read_psf1 name height result)
  set(file ${FONTS}/${name}.psf.gz)
  get_filename_component(plain ${OUT} DIRECTORY)
  set(plain ${plain}/${name}.psf)
  execute_process(COMMAND gzip -dc ${file} OUTPUT_FILE ${plain} RESULT_VARIABLE failed)
  if(failed)
    file(REMOVE ${plain})
    message(FATAL_ERROR "${file}: cannot be read (install console-data: scripts/bootstrap)")
  endif()
  file(READ ${plain} hex HEX)
  file(REMOVE ${plain})
  string(SUBSTRING "${hex}" 0 8 header)
  math(EXPR glyphs_length "256 * ${height} * 2")
  string(LENGTH "${hex}" length)
  math(EXPR needed "8 + ${glyphs_length}")
  # Magic 36h 04h, mode byte (bit 0: 512 characters), character height.
  string(REGEX MATCH "^3604(0[0-7])(..)$" matched "${header}")
  if(matched)
    math(EXPR font_height "0x${CMAKE_MATCH_2}")
  endif()
  if(NOT matched OR NOT font_height EQUAL height OR length LESS needed)
    message(FATAL_ERROR "${file}: not an 8x${height} PSF font")
  endif()
  string(SUBSTRING "${hex}" 8 ${glyphs_length} glyphs)
  set(${result} "${glyphs}" PARENT_SCOPE)
endfunction()

# Glyph `code` of `source` in place of that of `target`.
function(take_glyph target code source source_code height)
  math(EXPR from "${source_code} * ${height} * 2")
  math(EXPR to "${code} * ${height} * 2")
  math(EXPR after "${to} + ${height} * 2")
  math(EXPR digits "${height} * 2")
  string(SUBSTRING "${source}" ${from} ${digits} glyph)
  string(SUBSTRING "${${target}}" 0 ${to} before)
  string(SUBSTRING "${${target}}" ${after} -1 rest)
  set(${target} "${before}${glyph}${rest}" PARENT_SCOPE)
endfunction()

function(code_page_437 height result)
  read_psf1(cp865-8x${height} ${height} font)
  read_psf1(cp850-8x${height} ${height} cp850)
  take_glyph(font 155 "${cp850}" 189 ${height})  # 9Bh: cent
  take_glyph(font 157 "${cp850}" 190 ${height})  # 9Dh: yen
  take_glyph(font 175 "${cp850}" 175 ${height})  # AFh: right guillemet
  set(${result} "${font}" PARENT_SCOPE)
endfunction()

# One C++ array of the glyphs, 16 bytes a line.
function(array name glyphs result)
  string(LENGTH "${glyphs}" digits)
  math(EXPR bytes "${digits} / 2")
  string(REGEX REPLACE "(..)" "0x\\1, " list "${glyphs}")
  string(REPEAT "0x.., " 16 line)  # CMake's expressions have no {16}
  string(REGEX REPLACE "(${line})" "\\1\n" list "${list}")
  string(REPLACE ", \n" ",\n    " list "${list}")
  string(REGEX REPLACE ",\n    $" "" list "${list}")
  set(${result} "inline constexpr std::array<std::uint8_t, ${bytes}> ${name} = {\n    ${list}};\n" PARENT_SCOPE)
endfunction()

read_psf1(default8x16 16 font16)
code_page_437(14 font14)
code_page_437(8 font8)
array(kConsoleFont8x8 "${font8}" text8)
array(kConsoleFont8x14 "${font14}" text14)
array(kConsoleFont8x16 "${font16}" text16)
file(WRITE ${OUT} "// Written by cmake/console_fonts.cmake from ${FONTS}: do not edit.
#pragma once

#include <array>
#include <cstdint>

namespace quarzel {

${text8}
${text14}
${text16}
}  // namespace quarzel
")
