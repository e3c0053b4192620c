# Installation layout and the packages: the Debian package here, a zip and an NSIS installer
# on Windows. The executables install themselves from src/CMakeLists.txt; this adds the
# desktop entry, the icon and the documents, and on Windows the Qt and compiler DLLs.

set(TARVEX_DESKTOP_FILE ${PROJECT_SOURCE_DIR}/res/tarvex.desktop)
set(TARVEX_ICON_FILE ${PROJECT_SOURCE_DIR}/res/tarvex.png)

# The hicolor theme files icons by their pixel size, which a PNG keeps in its IHDR chunk.
function(tarvex_png_size file out)
    file(READ ${file} header OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING "${header}" 0 8 width_hex)
    string(SUBSTRING "${header}" 8 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    set(${out} "${width}x${height}" PARENT_SCOPE)
endfunction()

if(TARVEX_GUI AND NOT WIN32)
    install(FILES ${TARVEX_DESKTOP_FILE} DESTINATION share/applications)
    if(EXISTS ${TARVEX_ICON_FILE})
        tarvex_png_size(${TARVEX_ICON_FILE} icon_size)
        install(FILES ${TARVEX_ICON_FILE} DESTINATION share/icons/hicolor/${icon_size}/apps)
    else()
        message(WARNING "res/tarvex.png is missing: the package will have no icon")
    endif()
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION share/doc/tarvex)
# The national 3D and 排列3 histories, offered as sample data when no history was chosen yet.
install(FILES ${PROJECT_SOURCE_DIR}/data/fc3d-history.txt ${PROJECT_SOURCE_DIR}/data/pl3-history.txt
        DESTINATION share/tarvex/data)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION share/doc/tarvex
        FILES_MATCHING PATTERN "*.md")

if(WIN32 AND TARVEX_GUI AND MINGW AND CMAKE_CROSSCOMPILING)
    # A Qt cross-built with MinGW-w64 (scripts/build-windows) has no windeployqt: the DLLs, the
    # plugins the window loads and Qt's Chinese translations are listed here, laid out as in
    # Qt's own prefix, with a qt.conf that points Qt there.
    get_target_property(tarvex_qtcore_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
    get_filename_component(tarvex_qt_bin ${tarvex_qtcore_dll} DIRECTORY)
    get_filename_component(tarvex_qt_root ${tarvex_qt_bin} DIRECTORY)
    install(FILES ${tarvex_qt_bin}/Qt6Core.dll ${tarvex_qt_bin}/Qt6Gui.dll
                  ${tarvex_qt_bin}/Qt6Widgets.dll ${tarvex_qt_bin}/Qt6Network.dll DESTINATION bin)
    # The offscreen platform draws the --screenshot pictures without a display.
    install(FILES ${tarvex_qt_root}/plugins/platforms/qwindows.dll
                  ${tarvex_qt_root}/plugins/platforms/qoffscreen.dll DESTINATION plugins/platforms)
    # The online update's https goes through the system's TLS (Schannel).
    install(FILES ${tarvex_qt_root}/plugins/tls/qschannelbackend.dll DESTINATION plugins/tls)
    install(FILES ${tarvex_qt_root}/plugins/styles/qwindowsvistastyle.dll
            DESTINATION plugins/styles OPTIONAL)
    # Not beside the programs in the build tree: there it would send them to a prefix with no
    # plugins, and every window and test would fail to start.
    file(WRITE ${PROJECT_BINARY_DIR}/package/qt.conf "[Paths]\r\nPrefix = ..\r\n")
    install(FILES ${PROJECT_BINARY_DIR}/package/qt.conf DESTINATION bin)
    # The translations are the same files on every platform; Debian's qt6-translations-l10n.
    find_file(TARVEX_QT_ZH_CN qtbase_zh_CN.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH
              NO_CMAKE_FIND_ROOT_PATH)
    if(TARVEX_QT_ZH_CN)
        install(FILES ${TARVEX_QT_ZH_CN} DESTINATION translations)
    else()
        message(WARNING "qtbase_zh_CN.qm not found: Qt's own dialogs will stay English")
    endif()
    # MinGW's runtime DLLs, which Qt's DLLs need (the programs link it statically).
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${dll_path}")
            find_file(dll_path ${dll} PATHS /usr/x86_64-w64-mingw32/lib NO_DEFAULT_PATH
                      NO_CMAKE_FIND_ROOT_PATH)
        endif()
        install(FILES ${dll_path} DESTINATION bin)
        unset(dll_path CACHE)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
elseif(WIN32 AND TARVEX_GUI)
    # The Qt DLLs and plugins beside the programs; the command line needs only Qt6Core, which
    # the window brings as well. Run at install time, so cpack's staging folder gets them too.
    find_program(TARVEX_WINDEPLOYQT windeployqt HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}
                 REQUIRED)
    install(CODE "execute_process(COMMAND \"${TARVEX_WINDEPLOYQT}\"
                      --no-compiler-runtime --no-system-d3d-compiler --no-opengl-sw
                      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/tarvex.exe\"
                  COMMAND_ERROR_IS_FATAL ANY)")
    # The compiler's runtime DLLs (MSVC: vcruntime, msvcp), so that no redistributable is needed.
    set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION bin)
    include(InstallRequiredSystemLibraries)
endif()

set(CPACK_PACKAGE_NAME tarvex)
# All four numbers of project(VERSION), as the program and its Windows resource say them;
# CPack's default would keep only the first three.
set(CPACK_PACKAGE_VERSION ${TARVEX_VERSION})
set(CPACK_PACKAGE_VENDOR tarvex)
set(CPACK_PACKAGE_CONTACT "tarvex maintainers <tarvex@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Number filter (杀号) for the 3D lottery")
set(CPACK_PACKAGE_DESCRIPTION
    "tarvex kills the numbers 000-999 of the Chinese 3D lottery that the stated conditions\n"
    "rule out: digit patterns, sums, spans, routes, dan digits, pasted code lists, junk\n"
    "compounds, match filters and formulas. It has a window (tarvex) and a headless\n"
    "command line (tarvex-cli) that replays the window's runs from a scheme file.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tarvex)
# The programs without their debug information: a tenth of the size in every package.
set(CPACK_STRIP_FILES ON)

if(WIN32)
    # A zip to unpack anywhere and an installer with a Start menu entry for the window.
    set(CPACK_GENERATOR ZIP NSIS)
    set(CPACK_PACKAGE_FILE_NAME tarvex-${TARVEX_VERSION}-win64)
    set(CPACK_PACKAGE_EXECUTABLES tarvex tarvex)
    set(CPACK_NSIS_DISPLAY_NAME "tarvex ${TARVEX_VERSION}")
    set(CPACK_NSIS_PACKAGE_NAME tarvex)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    # The Start-menu entry starts the window in Documents\tarvex, as the Linux menu entry does.
    set(CPACK_PACKAGE_EXECUTABLES)
    set(CPACK_NSIS_CREATE_ICONS_EXTRA
        "CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\3D杀号程序.lnk' '$INSTDIR\\\\bin\\\\tarvex.exe' '--from-menu'")
    set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\3D杀号程序.lnk'")
    set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\tarvex.exe)
    # CMake's installer template makes a 32-bit ANSI installer: the Chinese entry name needs
    # Unicode, and a 64-bit installer puts the 64-bit program in the 64-bit Program Files.
    # The template starts with a UTF-8 byte-order mark, which must stay first.
    set(tarvex_nsis_in ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
    file(READ ${tarvex_nsis_in} tarvex_nsis_head LIMIT 3 HEX)
    string(ASCII 239 187 191 tarvex_bom)
    if(tarvex_nsis_head STREQUAL "efbbbf")
        file(READ ${tarvex_nsis_in} tarvex_nsis_template OFFSET 3)
    else()
        file(READ ${tarvex_nsis_in} tarvex_nsis_template)
    endif()
    file(WRITE ${PROJECT_BINARY_DIR}/cpack/NSIS.template.in
         "${tarvex_bom}Target amd64-unicode\n${tarvex_nsis_template}")
    set(CPACK_MODULE_PATH ${PROJECT_BINARY_DIR}/cpack ${CPACK_MODULE_PATH})
    # The installer is tarvex-VERSION-win64-setup.exe beside tarvex-VERSION-win64.zip.
    configure_file(${PROJECT_SOURCE_DIR}/cmake/CPackWindows.cmake.in
                   ${PROJECT_BINARY_DIR}/CPackWindows.cmake @ONLY)
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackWindows.cmake)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

    # DEB-DEFAULT names the file tarvex_<Version field>_<arch>.deb, so the two always agree.
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The window is laid out for the metrics of this font; without it the dialog is misdrawn.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-zenhei, qt6-translations-l10n")
endif()

include(CPack)
