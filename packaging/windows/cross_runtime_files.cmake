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
