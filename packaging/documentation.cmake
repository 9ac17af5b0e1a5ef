# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Manual pages, the copyright file and the changelog, where man and Debian's tools look for them.
# Both want them compressed with gzip -9n: the most, and without a time stamp, so that the
# same sources make the same package.
find_program(TAVRELLO_GZIP gzip REQUIRED)
set(documentation_dir ${CMAKE_INSTALL_DATADIR}/doc/tavrello)

# gzipped(SOURCE COPY): compresses SOURCE into COPY.gz in the build tree.
function(gzipped source copy)
    add_custom_command(
        OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        COMMAND ${TAVRELLO_GZIP} -9nf ${copy}
        DEPENDS ${source}
        COMMENT "Compressing ${copy}"
        VERBATIM)
endfunction()

set(compressed_dir ${CMAKE_CURRENT_BINARY_DIR}/compressed)
file(MAKE_DIRECTORY ${compressed_dir}/man ${compressed_dir}/zh_CN)
gzipped(${CMAKE_CURRENT_SOURCE_DIR}/linux/tavrello.1 ${compressed_dir}/man/tavrello.1)
gzipped(${CMAKE_CURRENT_SOURCE_DIR}/linux/tavrello.zh_CN.1 ${compressed_dir}/zh_CN/tavrello.1)
gzipped(${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog ${compressed_dir}/changelog)
add_custom_target(tavrello_documentation ALL DEPENDS
    ${compressed_dir}/man/tavrello.1.gz ${compressed_dir}/zh_CN/tavrello.1.gz
    ${compressed_dir}/changelog.gz)

install(FILES ${compressed_dir}/man/tavrello.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${compressed_dir}/zh_CN/tavrello.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man1)
install(FILES debian/copyright ${compressed_dir}/changelog.gz DESTINATION ${documentation_dir})
