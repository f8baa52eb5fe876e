# The release package of the Windows build: `cmake --build --preset mingw
# --target package` writes QOV-<version>-win64.zip (qov.exe, qovc.exe,
# README.md, LICENSE, the help page and its pictures in help/) and
# QOV-<version>-win64.exe, an installer made with NSIS.
install(TARGETS qov qovc RUNTIME DESTINATION .)
install(FILES README.md LICENSE DESTINATION .)
install(FILES ${QOV_HELP_PAGE} ${QOV_HELP_PICTURES} DESTINATION help)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME QOV)
set(CPACK_PACKAGE_VENDOR "Tamarind Desk")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "QOV window list")
set(CPACK_PACKAGE_FILE_NAME "QOV-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY QOV)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
# Extracting a ZIP on Windows already makes a folder named after it.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)

# The NSIS that Windows users install (nsis.sourceforge.io) makes 32-bit
# installers only: there is no 64-bit stub in it. The installer is therefore
# a 32-bit program that installs into the 64-bit Program Files folder and
# uses the 64-bit registry view (cmake/nsis/qov-installer.nsh), as a 64-bit
# qov.exe expects. `makensis -DQOV_INSTALLER_TARGET=amd64-unicode` makes the
# same installer as a 64-bit program where the stubs exist (Debian's NSIS):
# the installer test runs that one, as Wine here runs 64-bit programs only.
set(CPACK_NSIS_DEFINES "!ifndef QOV_INSTALLER_TARGET
  !define QOV_INSTALLER_TARGET x86-unicode
!endif
Target \${QOV_INSTALLER_TARGET}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# CPack's own NSIS template, with the steps of qov-installer.nsh at the start
# of the installer and of the uninstaller, which it has no variable for.
set(qov_nsis_template ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${qov_nsis_template} qov_template)
foreach(start "Function un.onInit\n" "Function .onInit\n")
  string(FIND "${qov_template}" "${start}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "${qov_nsis_template} has no \"${start}\": QOV's installer steps have no place")
  endif()
endforeach()
string(REPLACE "Function un.onInit\n" "!include /CHARSET=UTF8 \"${CMAKE_SOURCE_DIR}/cmake/nsis/qov-installer.nsh\"\n\nFunction un.onInit\n  !insertmacro QOV_UN_ON_INIT\n" qov_template "${qov_template}")
string(REPLACE "Function .onInit\n" "Function .onInit\n  !insertmacro QOV_ON_INIT\n" qov_template "${qov_template}")
file(WRITE ${CMAKE_BINARY_DIR}/nsis/NSIS.template.in "${qov_template}")
list(APPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)
# Between the start of the installer and the copying of the files, QOV may
# have been started again.
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "Call QovWaitUntilClosed")
set(CPACK_NSIS_PACKAGE_NAME QOV)
set(CPACK_NSIS_DISPLAY_NAME QOV)
set(CPACK_NSIS_INSTALLED_ICON_NAME qov.exe)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
if(EXISTS ${CMAKE_SOURCE_DIR}/src/app/qov.ico)
  set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/src/app/qov.ico)
  set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/src/app/qov.ico)
endif()

# The installer keeps its own record (the install folder) under
# Software\<vendor>\<this key> and deletes that whole key on uninstall. For a
# user without administrator rights it lives in HKEY_CURRENT_USER, so it must
# never be "QOV": that is where the program keeps the user's settings, which
# survive an uninstall.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "QOV Installation")

# The shortcut sits in the Start-menu folder next to the uninstaller's, and
# starts the program in its own folder rather than in "bin".
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\QOV.lnk\" \"$INSTDIR\\qov.exe\"")
# The uninstaller has no step after it deletes its own registry record, so
# the vendor key, empty by then unless it holds the user's settings, goes here.
set(CPACK_NSIS_DELETE_ICONS_EXTRA
    "Delete \"$SMPROGRAMS\\$MUI_TEMP\\QOV.lnk\"
  DeleteRegKey /ifempty SHCTX \"Software\\Tamarind Desk\"")

include(CPack)
# CPack leaves its variables set for the source package; keep the installer's name.
set(QOV_INSTALLER "${CMAKE_BINARY_DIR}/QOV-${PROJECT_VERSION}-win64.exe")
