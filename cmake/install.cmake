# Installation: the program, its factory data tree (copied into a per-user data directory on
# first start when the program's own directory cannot be written), the udev rule that lets the
# desktop user open the mouse's hidraw nodes, the desktop entry with its icon and AppStream
# metainfo, the autostart entry, the manual page and the Debian package built from all of it.
include(GNUInstallDirs)

# udev reads its rules from its own folder, which the prefix does not decide: ask udev, or take
# the folder of merged-/usr systems.
set(ORBIS_UDEV_DEFAULT_DIR /usr/lib/udev)
pkg_get_variable(ORBIS_PKG_UDEVDIR udev udevdir)
if(ORBIS_PKG_UDEVDIR)
    set(ORBIS_UDEV_DEFAULT_DIR ${ORBIS_PKG_UDEVDIR})
endif()
set(ORBIS_UDEV_RULES_DIR "${ORBIS_UDEV_DEFAULT_DIR}/rules.d" CACHE STRING
    "Where the udev rule is installed (absolute, or relative to the prefix)")
if(IS_ABSOLUTE "${ORBIS_UDEV_RULES_DIR}")
    set(ORBIS_UDEV_RULES_FULL_DIR "${ORBIS_UDEV_RULES_DIR}")
else()
    set(ORBIS_UDEV_RULES_FULL_DIR "${CMAKE_INSTALL_PREFIX}/${ORBIS_UDEV_RULES_DIR}")
endif()
# The device layer names the installed rule when it tells the user how to get access.
target_compile_definitions(orbis_device PRIVATE
    ORBIS_UDEV_RULES_INSTALL_DIR="${ORBIS_UDEV_RULES_FULL_DIR}")
# Desktops look for autostart entries in $XDG_CONFIG_DIRS, /etc/xdg unless set: not under the
# prefix either.
set(ORBIS_AUTOSTART_DIR /etc/xdg/autostart CACHE STRING
    "Where the XDG autostart entry is installed")
set(ORBIS_DATA_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/orbis-mouse/modules")
set(ORBIS_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/orbis-mouse")

# The device table's USB ids (groups [0], [1], ... with vid= and pid=) and the support address
# (common/url) of the factory settings, for the metainfo.
file(STRINGS ${CMAKE_SOURCE_DIR}/modules/setting/apConfig.bin ORBIS_CONFIG_LINES)
set(ORBIS_MODALIASES "")
set(ORBIS_HOMEPAGE "")
set(group "")
foreach(line IN LISTS ORBIS_CONFIG_LINES)
    if(line MATCHES "^\\[(.*)\\]$")
        set(group ${CMAKE_MATCH_1})
    elseif(group MATCHES "^[0-9]+$" AND line MATCHES "^(vid|pid)=([0-9A-Fa-f]+)$")
        string(TOUPPER ${CMAKE_MATCH_2} id)
        set(${CMAKE_MATCH_1}_${group} ${id})
        if(DEFINED vid_${group} AND DEFINED pid_${group})
            string(APPEND ORBIS_MODALIASES
                "    <modalias>usb:v${vid_${group}}p${pid_${group}}d*</modalias>\n")
        endif()
    elseif(group STREQUAL "common" AND line MATCHES "^url=(.+)$")
        set(ORBIS_HOMEPAGE ${CMAKE_MATCH_1})
    endif()
endforeach()
string(REGEX REPLACE "\n$" "" ORBIS_MODALIASES "${ORBIS_MODALIASES}")
string(REGEX REPLACE "/$" "" ORBIS_HOMEPAGE "${ORBIS_HOMEPAGE}")

set(ORBIS_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/packaging/io.github.orbis_mouse.metainfo.xml.in
    ${ORBIS_PACKAGING_OUT}/io.github.orbis_mouse.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/orbis-mouse.1.in
    ${ORBIS_PACKAGING_OUT}/orbis-mouse.1 @ONLY)
# Debian installs manual pages and the change log compressed, without a time stamp.
find_program(ORBIS_GZIP gzip)
set(ORBIS_COMPRESSED)
foreach(pair "orbis-mouse.1|${ORBIS_PACKAGING_OUT}/orbis-mouse.1"
             "changelog|${CMAKE_SOURCE_DIR}/packaging/changelog")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 name)
    list(GET pair 1 source)
    add_custom_command(OUTPUT ${ORBIS_PACKAGING_OUT}/${name}.gz
        COMMAND ${ORBIS_GZIP} -9nc ${source} > ${ORBIS_PACKAGING_OUT}/${name}.gz
        DEPENDS ${source} VERBATIM)
    list(APPEND ORBIS_COMPRESSED ${ORBIS_PACKAGING_OUT}/${name}.gz)
endforeach()
add_custom_target(orbis_packaging ALL DEPENDS ${ORBIS_COMPRESSED})

install(TARGETS orbis-mouse RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

foreach(dir setting gun i18n)
    if(EXISTS ${CMAKE_SOURCE_DIR}/modules/${dir})
        install(DIRECTORY ${CMAKE_SOURCE_DIR}/modules/${dir}
            DESTINATION ${ORBIS_DATA_INSTALL_DIR} PATTERN ".gitkeep" EXCLUDE)
    endif()
endforeach()
# The macro library starts empty.
install(DIRECTORY DESTINATION ${ORBIS_DATA_INSTALL_DIR}/macro)
install(FILES ${CMAKE_SOURCE_DIR}/modules/img/logo.ico DESTINATION ${ORBIS_DATA_INSTALL_DIR}/img)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/70-orbis-mouse.rules DESTINATION ${ORBIS_UDEV_RULES_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/io.github.orbis_mouse.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ORBIS_PACKAGING_OUT}/io.github.orbis_mouse.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/orbis-mouse-autostart.desktop
    DESTINATION ${ORBIS_AUTOSTART_DIR})
install(FILES ${ORBIS_PACKAGING_OUT}/orbis-mouse.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ORBIS_PACKAGING_OUT}/changelog.gz ${CMAKE_SOURCE_DIR}/packaging/copyright
    DESTINATION ${ORBIS_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/modules/img/src/logo.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME orbis-mouse.svg)

# The Debian package: scripts/build-deb.sh builds what the package holds and runs cpack. Neither
# cpack nor "make install" builds every target (the tests) first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbis-mouse)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for a USB gaming mouse")
set(CPACK_PACKAGE_DESCRIPTION
    "Configures the buttons, DPI stages, report rate, lighting, macros, recoil
presets and profiles of the gaming mouse it supports, through vendor HID
reports. It runs in the tray, one instance per user, and ships a udev rule
that gives the user at the local seat access to the mouse.")
set(CPACK_PACKAGE_CONTACT "Orbis Mouse developers <maintainers@orbis-mouse.example>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ORBIS_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the QML modules the scene imports.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qml6-module-qtquick, qml6-module-qtqml, qml6-module-qtqml-workerscript")
# The autostart entry lives in /etc: a configuration file the administrator may change.
file(WRITE ${ORBIS_PACKAGING_OUT}/conffiles "${ORBIS_AUTOSTART_DIR}/orbis-mouse-autostart.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${ORBIS_PACKAGING_OUT}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
