# The libraries and programs, built from the lists of cmake/sourcelists.cmake.
set(ORBIS_FOR_WINDOWS ${WIN32})
include(${CMAKE_CURRENT_LIST_DIR}/sourcelists.cmake)

# The layers, each including only those below it (scripts/check-layers.sh checks it):
# base <- platform <- device <- bridge <- app, with sim beside device and hooks between platform
# and bridge. base/ (logging categories, the clock and the protocol's pauses, the settings-file
# checks, the data-tree paths) is built with Qt Core alone, and so is the device layer, so a
# window header slipping into either fails the build.
add_library(orbis_base STATIC ${ORBIS_BASE_SOURCES})
target_include_directories(orbis_base PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(orbis_base PUBLIC Qt6::Core)

add_library(orbis_device STATIC ${ORBIS_DEVICE_SOURCES})
target_include_directories(orbis_device PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(orbis_device PUBLIC orbis_base Qt6::Core Qt6::Concurrent)
# The device code sees only the hidapi header; which implementation it gets is decided by the
# program: the system library or the simulated devices.
target_include_directories(orbis_device PUBLIC ${HIDAPI_INCLUDE_DIRS})

add_library(orbis_core STATIC ${ORBIS_CORE_SOURCES})
target_include_directories(orbis_core PUBLIC ${CMAKE_SOURCE_DIR})
# The one version: --version, the scene's help menu and the package.
target_compile_definitions(orbis_core PUBLIC ORBIS_VERSION="${PROJECT_VERSION}")
target_link_libraries(orbis_core PUBLIC orbis_device
    Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Network Qt6::Concurrent Qt6::Qml Qt6::Quick
    Qt6::QuickWidgets)
if(NOT WIN32)
    # The session bus carries the desktop's change notices (KDE's settings change).
    target_link_libraries(orbis_core PUBLIC PkgConfig::UDEV Qt6::DBus PkgConfig::XCB)
endif()
if(XTST_FOUND)
    target_link_libraries(orbis_core PUBLIC PkgConfig::XTST)
    target_compile_definitions(orbis_core PRIVATE ORBIS_HAVE_XRECORD)
endif()

# An object library: its files are linked straight into each program that uses it, so the
# device code in orbis_device finds the simulated hidapi whatever the link order.
add_library(orbis_sim OBJECT ${ORBIS_SIM_SOURCES})
target_link_libraries(orbis_sim PUBLIC orbis_device)

add_executable(orbis-mouse ${ORBIS_REAL_PROGRAM_SOURCES})
target_link_libraries(orbis-mouse PRIVATE orbis_core PkgConfig::HIDAPI)

add_executable(orbis-mouse-demo ${ORBIS_DEMO_PROGRAM_SOURCES})
target_link_libraries(orbis-mouse-demo PRIVATE orbis_sim orbis_core)
