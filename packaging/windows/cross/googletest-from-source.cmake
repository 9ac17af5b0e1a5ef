# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Debian has GoogleTest for Windows only as sources: the engine tests' find_package(GTest)
# builds them along.
include(FetchContent)
FetchContent_Declare(GTest SOURCE_DIR /usr/src/googletest OVERRIDE_FIND_PACKAGE)
# Only for the tests: nothing of it is installed with the program.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)

macro(tavrello_provide_googletest method name)
    if("${name}" STREQUAL "GTest")
        FetchContent_MakeAvailable(GTest)
    else()
        # CMake takes a package that is already found, such as Qt6 asked for another
        # component, as found here and would not look for the new component.
        unset(${name}_FOUND)
    endif()
endmacro()
cmake_language(SET_DEPENDENCY_PROVIDER tavrello_provide_googletest SUPPORTED_METHODS FIND_PACKAGE)
