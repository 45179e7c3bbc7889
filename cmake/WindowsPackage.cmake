# The Windows program as it ships: its resources (icon, version, manifest), a build that gives the
# same bytes from any folder, and its two packages, made by `cpack` in the build directory: a
# portable zip and an NSIS installer. Included by CMakeLists.txt in the mingw-w64 builds.
enable_language(RC)

# The icon is drawn by tessary-icon, which renders with the viewer's own OpenGL code and so must run
# on the build machine: the Makefile builds it natively and passes its path here.
set(TESSARY_HOST_ICON_TOOL "" CACHE FILEPATH
    "tessary-icon built for the build machine, which draws the icon of the .exe (make windows builds it)")
if(NOT EXISTS "${TESSARY_HOST_ICON_TOOL}")
    message(FATAL_ERROR "The Windows build needs TESSARY_HOST_ICON_TOOL, a native tessary-icon "
        "(`make windows` builds one and passes it)")
endif()

set(resources ${CMAKE_BINARY_DIR}/resources)
set(TESSARY_WINDOWS_ICON ${resources}/tessary.ico)
set(TESSARY_WINDOWS_MANIFEST ${resources}/tessary.manifest)
# The sizes Windows asks for: lists and title bars (16), the taskbar and small views at 125 and
# 150 % (24, 32), the desktop (48), Explorer's large views (256).
add_custom_command(OUTPUT ${TESSARY_WINDOWS_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${resources}
    COMMAND ${CMAKE_COMMAND} -E env SDL_VIDEODRIVER=offscreen
        ${TESSARY_HOST_ICON_TOOL} --ico ${TESSARY_WINDOWS_ICON} 16 24 32 48 256
    DEPENDS ${TESSARY_HOST_ICON_TOOL}
    COMMENT "Drawing the icon of tessary.exe"
    VERBATIM)

# Windows versions have four numbers; project() may give fewer.
set(version_numbers)
foreach(part MAJOR MINOR PATCH TWEAK)
    if(PROJECT_VERSION_${part} STREQUAL "")
        list(APPEND version_numbers 0)
    else()
        list(APPEND version_numbers ${PROJECT_VERSION_${part}})
    endif()
endforeach()
list(JOIN version_numbers "," TESSARY_VERSION_COMMAS)
list(JOIN version_numbers "." TESSARY_VERSION_DOTS)
# Task Manager and the file's properties show this as the program's name.
set(TESSARY_FILE_DESCRIPTION "Tessary hypercube viewer")
configure_file(data/windows/tessary.manifest.in ${TESSARY_WINDOWS_MANIFEST} @ONLY)
configure_file(data/windows/tessary.rc.in ${resources}/tessary.rc @ONLY)
target_sources(tessary PRIVATE ${resources}/tessary.rc ${TESSARY_WINDOWS_ICON})
set_source_files_properties(${resources}/tessary.rc PROPERTIES
    OBJECT_DEPENDS "${TESSARY_WINDOWS_ICON};${TESSARY_WINDOWS_MANIFEST}")

# The same sources give the same .exe in any folder and at any time: no source or build path in the
# code (__FILE__), no link time in the header, no symbols or debugging sections (723 KB of them).
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
target_link_options(tessary PRIVATE -Wl,--no-insert-timestamp $<$<CONFIG:Release,MinSizeRel>:-s>)

# Both packages hold the program and, for a user who never opens a terminal, the licence and the
# controls as text files with Windows line ends.
set(TESSARY_WINDOWS_TEXT ${CMAKE_BINARY_DIR}/text)
file(CONFIGURE OUTPUT ${TESSARY_WINDOWS_TEXT}/LICENSE.txt CONTENT "${TESSARY_LICENSE}" @ONLY NEWLINE_STYLE CRLF)
include(cmake/WindowsReadme.cmake)
install(TARGETS tessary RUNTIME DESTINATION .)
install(FILES ${TESSARY_WINDOWS_TEXT}/LICENSE.txt ${TESSARY_WINDOWS_TEXT}/README.txt DESTINATION .)

# `cpack` makes build-win*/tessary-<version>-win32|win64.zip and .exe. The installer keeps one
# registry key and one folder whatever the version, so a newer installer finds the older
# installation, runs its uninstaller silently and replaces it.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(windows_name win64)
    # The 64-bit program needs 64-bit Windows, so its installer is a 64-bit program too: it then
    # sees the 64-bit Program Files and registry, where Windows lists installed 64-bit programs.
    # Its folder is $PROGRAMFILES, the 64-bit one in a 64-bit installer. CPack's default for 64-bit
    # programs, $PROGRAMFILES64, would give the 32-bit one: CPack's script names it before the
    # target, and NSIS then keeps the 32-bit meaning.
    set(CPACK_NSIS_DEFINES "Target amd64-unicode")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
else()
    set(windows_name win32)
    set(CPACK_NSIS_DEFINES "Unicode true")
endif()
set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_NAME Tessary)
set(CPACK_PACKAGE_VENDOR "${TESSARY_COPYRIGHT_HOLDER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${TESSARY_FILE_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME tessary-${PROJECT_VERSION}-${windows_name})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tessary)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tessary)
set(CPACK_PACKAGE_EXECUTABLES tessary Tessary)
set(CPACK_RESOURCE_FILE_LICENSE ${TESSARY_WINDOWS_TEXT}/LICENSE.txt)
set(CPACK_NSIS_PACKAGE_NAME Tessary)
set(CPACK_NSIS_DISPLAY_NAME Tessary)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME tessary.exe)
set(CPACK_NSIS_MUI_ICON ${TESSARY_WINDOWS_ICON})
set(CPACK_NSIS_MUI_UNIICON ${TESSARY_WINDOWS_ICON})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
