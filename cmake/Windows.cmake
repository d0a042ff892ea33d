# The Windows game: one self-contained viltron.exe (Qt and libjpeg linked in
# statically, see tools/windows_toolchain.sh) and its NSIS installer.

# The icon and the version resource; the sources are UTF-8.
set(VILTRON_ICON ${CMAKE_CURRENT_LIST_DIR}/windows/viltron.ico)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/viltron.rc.in viltron.rc @ONLY)
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")
target_sources(viltron PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/viltron.rc)
set_target_properties(viltron PROPERTIES WIN32_EXECUTABLE ON)
# Loaded at a random address anywhere in the 64-bit space, its data not
# executable: MinGW's linker does so by default, said here so that it stays.
target_link_options(viltron PRIVATE LINKER:--dynamicbase LINKER:--high-entropy-va
                                    LINKER:--nxcompat)
# Qt's own style draws the windows (as on Linux), and the pictures are decoded
# without Qt's image plugins.
qt_import_plugins(viltron EXCLUDE_BY_TYPE styles imageformats)

install(TARGETS viltron RUNTIME DESTINATION .)

# cpack -G NSIS → Viltron-<version>-win64.exe: a Start-menu entry "Вилтрон",
# an entry in Apps & features, an uninstaller.
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Viltron)
set(CPACK_PACKAGE_VENDOR "${VILTRON_VENDOR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "knight's tour puzzle game")
set(CPACK_PACKAGE_FILE_NAME Viltron-${PROJECT_VERSION}-win64)
# Kept apart: CPack's module renames CPACK_PACKAGE_FILE_NAME for its source
# package.
set(VILTRON_WINDOWS_INSTALLER ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.exe)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Viltron)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Viltron)
set(CPACK_PACKAGE_EXECUTABLES viltron "Вилтрон")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "Вилтрон")
set(CPACK_NSIS_PACKAGE_NAME "Вилтрон")
set(CPACK_NSIS_INSTALLED_ICON_NAME viltron.exe)
set(CPACK_NSIS_MUI_ICON ${VILTRON_ICON})
set(CPACK_NSIS_MUI_UNIICON ${VILTRON_ICON})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_URL_INFO_ABOUT "${PROJECT_HOMEPAGE_URL}")
# A 64-bit installer for the 64-bit program (it runs where the program
# does, Wine without its 32-bit part too), Unicode for the Russian names, from
# a UTF-8 script. (One item, which CPack splits at the space; quotes would not
# survive its configuration file.)
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "-INPUTCHARSET UTF8")
# CPack's uninstaller removes the program's registry key but not the empty
# vendor key above it. (Backslashes doubled twice and single quotes: the value
# is read again from CPack's configuration file.)
set(CPACK_NSIS_DEFINES "Target amd64-unicode
Function un.onUninstSuccess
  DeleteRegKey /ifempty SHCTX 'Software\\\\${CPACK_PACKAGE_VENDOR}'
FunctionEnd")
set(CPACK_STRIP_FILES ON)
include(CPack)

# Built on Linux, the tests run under Wine, in a Wine prefix of the build's own.
if(CMAKE_CROSSCOMPILING)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/wine_run.sh
                                    ${CMAKE_BINARY_DIR}/wine/tests)
endif()
