# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what Tavrello.exe needs on Windows when it is built on Linux, where Qt's own deploy
# tool does not exist: the platform and style plugins, and every DLL the program and the plugins
# load from Qt or the MinGW runtime, found by reading their import tables.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
find_program(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND x86_64-w64-mingw32-objdump REQUIRED)

find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)
# The compiler knows where its runtime DLLs are; the thread library lies with the target's.
foreach(runtime_dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime_dll}
                    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    cmake_path(GET runtime_path PARENT_PATH runtime_folder)
    list(APPEND runtime_folders ${runtime_folder})
endforeach()

# The program's own install rule adds it to the set tavrello_dlls. Qt finds plugins in folders
# named for their kind beside the program.
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets RUNTIME_DEPENDENCY_SET
        tavrello_dlls RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin RUNTIME_DEPENDENCY_SET
        tavrello_dlls LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin RUNTIME_DEPENDENCY_SET
        tavrello_dlls LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
# The set then brings the MinGW runtime. Names are compared in lower case, which a Linux folder
# does not match for Qt's DLLs, so those are listed above. Windows' own DLLs stay out.
install(RUNTIME_DEPENDENCY_SET tavrello_dlls DESTINATION ${CMAKE_INSTALL_BINDIR}
        DIRECTORIES ${runtime_folders}
        PRE_INCLUDE_REGEXES "^lib[^/]*\\.dll$"
        PRE_EXCLUDE_REGEXES ".*")

# The licences of what the folder holds: the program's, and the notices of Qt, the MinGW-w64
# runtime, and CLN and GiNaC (linked into the symbolic module, see cross/build-ginac) as Debian
# gives them, with the licence texts they name.
set(licence_files
    "${PROJECT_SOURCE_DIR}/LICENSE|GPL-3.0.txt"
    "/usr/share/common-licenses/LGPL-3|LGPL-3.0.txt"
    "/usr/share/doc/libqt6core6/copyright|Qt.txt"
    "/usr/share/doc/gcc-mingw-w64-base/copyright|GCC.txt"
    "/usr/share/doc/mingw-w64-x86-64-dev/copyright|MinGW-w64.txt")
foreach(pair IN LISTS licence_files)
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 name)
    if(NOT EXISTS ${source})
        message(FATAL_ERROR "${source} is missing: run scripts/install-dependencies windows")
    endif()
    install(FILES ${source} DESTINATION ${CMAKE_INSTALL_BINDIR}/licenses RENAME ${name})
endforeach()
# GINAC_PREFIX is the prefix of the ginac.pc that pkg-config found (propagation/CMakeLists.txt).
if(NOT EXISTS ${GINAC_PREFIX}/share/licenses)
    message(FATAL_ERROR "GiNaC has not been built by packaging/windows/cross/build-ginac")
endif()
install(DIRECTORY ${GINAC_PREFIX}/share/licenses/ DESTINATION ${CMAKE_INSTALL_BINDIR}/licenses)
