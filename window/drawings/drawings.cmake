# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The formula pictures and the window icon become path data at build time (make_drawings.py):
# their text is outlined from the DejaVu Serif faces of the build machine, so the program needs
# neither QtSvg nor those faces at run time. Only host tools run here, Python with fontTools,
# so a cross build (for Windows with MinGW-w64) makes the same data as a native one. Elsewhere,
# point TAVRELLO_FONT_PYTHON at a Python with fontTools (pip install fonttools) and
# TAVRELLO_DEJAVU_SERIF / TAVRELLO_DEJAVU_SERIF_ITALIC at DejaVuSerif.ttf and
# DejaVuSerif-Italic.ttf.

# The system's Python, where the Debian package puts fontTools, before any other on the PATH.
find_program(TAVRELLO_FONT_PYTHON NAMES python3 python HINTS /usr/bin)
if(TAVRELLO_FONT_PYTHON)
    execute_process(COMMAND ${TAVRELLO_FONT_PYTHON} -c "import fontTools.subset"
                    RESULT_VARIABLE fonttools_missing OUTPUT_QUIET ERROR_QUIET)
endif()
# The faces are read on the build machine, also when the program is built for another system.
set(dejavu_folders /usr/share/fonts/truetype/dejavu /usr/share/fonts/TTF /usr/share/fonts/dejavu)
find_file(TAVRELLO_DEJAVU_SERIF DejaVuSerif.ttf PATHS ${dejavu_folders}
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_file(TAVRELLO_DEJAVU_SERIF_ITALIC DejaVuSerif-Italic.ttf PATHS ${dejavu_folders}
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT TAVRELLO_FONT_PYTHON OR fonttools_missing OR NOT TAVRELLO_DEJAVU_SERIF
   OR NOT TAVRELLO_DEJAVU_SERIF_ITALIC)
    message(FATAL_ERROR "The window's drawings are made with fontTools from the DejaVu Serif "
                        "faces: install the Debian packages python3-fonttools, fonts-dejavu-core "
                        "and fonts-dejavu-extra, or set TAVRELLO_FONT_PYTHON, "
                        "TAVRELLO_DEJAVU_SERIF and TAVRELLO_DEJAVU_SERIF_ITALIC.")
endif()

set(drawing_sources bessel.svg peters.svg range.svg maximum-error.svg icon.svg)
list(TRANSFORM drawing_sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/pictures/)
set(drawings_code ${CMAKE_CURRENT_BINARY_DIR}/drawings.cpp)
set(drawings_maker ${CMAKE_CURRENT_SOURCE_DIR}/drawings/make_drawings.py)
add_custom_command(
    OUTPUT ${drawings_code}
    COMMAND ${TAVRELLO_FONT_PYTHON} ${drawings_maker} ${TAVRELLO_DEJAVU_SERIF}
            ${TAVRELLO_DEJAVU_SERIF_ITALIC} ${drawings_code} ${drawing_sources}
    DEPENDS ${drawings_maker} ${drawing_sources} ${TAVRELLO_DEJAVU_SERIF}
            ${TAVRELLO_DEJAVU_SERIF_ITALIC}
    COMMENT "Outlining the window's drawings"
    VERBATIM)
target_sources(tavrello_window PRIVATE ${drawings_code})
