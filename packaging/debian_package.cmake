# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# "cpack -G DEB": the package's dependencies come from the libraries the program links against,
# so they follow the build rather than a list kept by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrello)
set(CPACK_PACKAGE_VENDOR "Tavrello developers")
set(CPACK_PACKAGE_CONTACT "Tavrello developers <tavrello@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "error analysis of repeated measurements")
# Wrapped by hand: Debian's tools show each line as it is.
set(CPACK_PACKAGE_DESCRIPTION [[
Tavrello computes the arithmetic mean of a series of 2 to 20 repeated
measurements, the standard deviation of a single measurement (Bessel formula,
Peters method, range method or maximum-error method) and the standard
deviation of the mean. The interface is Simplified Chinese.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts in Chinese (the error report's button, the boxes' context menu); no library
# names it, so it is listed here.
# The analysis window and its reports set their Chinese in a full face of the system; the main
# window brings its own.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-arphic-gbsn00lp | fonts-noto-cjk")

# What only the package needs, left out of a plain install.
install(FILES debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tavrello COMPONENT debian_package EXCLUDE_FROM_ALL)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian_package)
include(CPack)
