# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The window's own Sung face, cut at build time from the system's AR PL SungtiL GB (see
# make_interface_font.py), with the face's licence beside it. The program finds it relative to
# its own folder, both in the build tree and when installed.
include(GNUInstallDirs)

set(tavrello_interface_font_default OFF)
if(UNIX AND NOT APPLE)
    set(tavrello_interface_font_default ON)
endif()
option(TAVRELLO_INTERFACE_FONT "Cut the window's Sung face from AR PL SungtiL GB"
       ${tavrello_interface_font_default})
# Tests and benchmarks link this to draw the window in the face the program uses.
add_library(tavrello_built_interface_font INTERFACE)
if(NOT TAVRELLO_INTERFACE_FONT)
    target_compile_definitions(tavrello_built_interface_font INTERFACE
                               TAVRELLO_INTERFACE_FONT_FILE="")
    return()
endif()

find_file(TAVRELLO_SUNG_SOURCE gbsn00lp.ttf
          PATHS /usr/share/fonts/truetype/arphic-gbsn00lp /usr/share/fonts/truetype/arphic
          NO_DEFAULT_PATH)
# Python with fontTools is already checked for the drawings (drawings/drawings.cmake).
if(NOT TAVRELLO_SUNG_SOURCE OR NOT TAVRELLO_QT_TRANSLATION)
    message(FATAL_ERROR "The window's face is cut from AR PL SungtiL GB with fontTools, keeping "
                        "the characters of Qt's Chinese texts: install the Debian packages "
                        "fonts-arphic-gbsn00lp, python3-fonttools and qt6-translations-l10n, or "
                        "configure with -DTAVRELLO_INTERFACE_FONT=OFF to use the system's faces.")
endif()

set(font_folder ${CMAKE_INSTALL_DATADIR}/tavrello/fonts)
file(RELATIVE_PATH font_folder_from_program ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/tavrello/fonts)
# The build tree has the installed layout around the program, so one relative path serves both.
cmake_path(SET font_build_folder NORMALIZE ${CMAKE_CURRENT_BINARY_DIR}/${font_folder_from_program})
set(font_file ${font_build_folder}/TavrelloSung.ttf)
set(font_licence ${font_build_folder}/ARPHICPL.TXT)

# Every source of the main window, in every folder, so that a caption moved to another room
# keeps its characters. The tests' texts are never shown; the result windows (analysis, indirect
# measurement, line fit and their frame), the modules' messages and the command line's reports,
# made on demand, draw their Chinese from the system's full face, so that a start reads no more
# of this one than the main window shows.
file(GLOB_RECURSE texts CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/engine/*.cpp ${PROJECT_SOURCE_DIR}/engine/*.h
     ${PROJECT_SOURCE_DIR}/window/*.cpp ${PROJECT_SOURCE_DIR}/window/*.h)
list(FILTER texts EXCLUDE REGEX
     "/(tests|analysis|command_line|propagation|fitting|result_window)/|_loader\\.cpp$")
set(cutter ${CMAKE_CURRENT_SOURCE_DIR}/fonts/make_interface_font.py)
add_custom_command(
    OUTPUT ${font_file} ${font_licence}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${font_build_folder}
    COMMAND ${TAVRELLO_FONT_PYTHON} ${cutter} ${TAVRELLO_SUNG_SOURCE}
            ${font_file} ${font_licence} ${TAVRELLO_QT_TRANSLATION} ${texts}
    DEPENDS ${cutter} ${TAVRELLO_SUNG_SOURCE} ${TAVRELLO_QT_TRANSLATION} ${texts}
    COMMENT "Cutting the window's Sung face"
    VERBATIM)
add_custom_target(tavrello_interface_font ALL
                  DEPENDS ${font_file} ${font_licence})
add_dependencies(tavrello tavrello_interface_font)
target_compile_definitions(tavrello_window PRIVATE
    TAVRELLO_INTERFACE_FONT_FROM_PROGRAM="${font_folder_from_program}/TavrelloSung.ttf")
target_compile_definitions(tavrello_built_interface_font INTERFACE
                           TAVRELLO_INTERFACE_FONT_FILE="${font_file}")
add_dependencies(tavrello_built_interface_font tavrello_interface_font)

install(FILES ${font_file} ${font_licence} DESTINATION ${font_folder})
