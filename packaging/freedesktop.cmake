# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Menu entry, icons in the hicolor theme and AppStream metadata, where desktops look for them.
set(icon_theme_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

set(rendered_icons)
foreach(side 16 32 48 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${side}/${TAVRELLO_APP_ID}.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${side}
        COMMAND tavrello_icon png ${TAVRELLO_ICON_SVG} ${side} ${png}
        DEPENDS tavrello_icon ${TAVRELLO_ICON_SVG}
        COMMENT "Rendering the ${side} pixel icon"
        VERBATIM)
    list(APPEND rendered_icons ${png})
    install(FILES ${png} DESTINATION ${icon_theme_dir}/${side}x${side}/apps)
endforeach()
add_custom_target(tavrello_icons ALL DEPENDS ${rendered_icons})

install(FILES ${TAVRELLO_ICON_SVG} DESTINATION ${icon_theme_dir}/scalable/apps
        RENAME ${TAVRELLO_APP_ID}.svg)
install(FILES linux/${TAVRELLO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES linux/${TAVRELLO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The committed Windows icon is made from the same drawing; rebuild it after the drawing changes.
add_custom_target(update_windows_icon
    COMMAND tavrello_icon ico ${TAVRELLO_ICON_SVG} 16 ${TAVRELLO_WINDOWS_ICON}
    DEPENDS tavrello_icon
    COMMENT "Rendering the Windows icon into the source tree"
    VERBATIM)
