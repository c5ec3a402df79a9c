# Installation: the program, its factory data tree (copied into a per-user data directory on
# first start when the program's own directory cannot be written), the udev rule that lets the
# desktop user open the mouse's hidraw nodes, and a desktop entry.
include(GNUInstallDirs)

set(ORBIS_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Where the udev rule is installed (relative to the prefix, or absolute)")
set(ORBIS_DATA_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/orbis-mouse/modules")

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
install(FILES ${CMAKE_SOURCE_DIR}/packaging/orbis-mouse.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
if(EXISTS ${CMAKE_SOURCE_DIR}/modules/img/src/logo.svg)
    install(FILES ${CMAKE_SOURCE_DIR}/modules/img/src/logo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME orbis-mouse.svg)
endif()
