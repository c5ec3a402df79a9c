# Sources are gathered per folder, so adding a unit means adding its files, nothing more.

# The device layer knows nothing of the window: it is built with Qt Core alone, so a window
# header slipping into device/ fails the build. The logging categories and the sleep function
# sit below every layer and come with it.
set(ORBIS_DEVICE_BASE_SOURCES
    ${CMAKE_SOURCE_DIR}/app/logging.cpp ${CMAKE_SOURCE_DIR}/app/logging.h
    ${CMAKE_SOURCE_DIR}/platform/sleep.cpp ${CMAKE_SOURCE_DIR}/platform/sleep.h)
file(GLOB ORBIS_DEVICE_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/device/*.cpp ${CMAKE_SOURCE_DIR}/device/*.h)
add_library(orbis_device STATIC ${ORBIS_DEVICE_SOURCES} ${ORBIS_DEVICE_BASE_SOURCES})
target_include_directories(orbis_device PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(orbis_device PUBLIC Qt6::Core Qt6::Concurrent)
# The device code sees only the hidapi header; which implementation it gets is decided by the
# program: the system library or the simulated devices.
target_include_directories(orbis_device PUBLIC ${HIDAPI_INCLUDE_DIRS})

file(GLOB ORBIS_CORE_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/app/*.h
    ${CMAKE_SOURCE_DIR}/bridge/*.cpp ${CMAKE_SOURCE_DIR}/bridge/*.h
    ${CMAKE_SOURCE_DIR}/hooks/*.cpp ${CMAKE_SOURCE_DIR}/hooks/*.h
    ${CMAKE_SOURCE_DIR}/platform/*.cpp ${CMAKE_SOURCE_DIR}/platform/*.h)
# One backend folder per OS behind the small interfaces of platform/.
if(WIN32)
    set(ORBIS_PLATFORM_DIR ${CMAKE_SOURCE_DIR}/platform/windows)
else()
    set(ORBIS_PLATFORM_DIR ${CMAKE_SOURCE_DIR}/platform/linux)
endif()
file(GLOB ORBIS_PLATFORM_SOURCES CONFIGURE_DEPENDS ${ORBIS_PLATFORM_DIR}/*.cpp ${ORBIS_PLATFORM_DIR}/*.h)
list(APPEND ORBIS_CORE_SOURCES ${ORBIS_PLATFORM_SOURCES})
# The entry points and the two start-up hooks are chosen per program at link time.
list(FILTER ORBIS_CORE_SOURCES EXCLUDE REGEX "/app/main\\.cpp$|/app/startup_real\\.cpp$")
list(REMOVE_ITEM ORBIS_CORE_SOURCES ${ORBIS_DEVICE_BASE_SOURCES})

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

file(GLOB ORBIS_SIM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/sim/*.cpp ${CMAKE_SOURCE_DIR}/sim/*.h)
list(FILTER ORBIS_SIM_SOURCES EXCLUDE REGEX "/sim/demo_startup\\.cpp$")
# An object library: its files are linked straight into each program that uses it, so the
# device code in orbis_device finds the simulated hidapi whatever the link order.
add_library(orbis_sim OBJECT ${ORBIS_SIM_SOURCES})
target_link_libraries(orbis_sim PUBLIC orbis_device)

add_executable(orbis-mouse ${CMAKE_SOURCE_DIR}/app/main.cpp ${CMAKE_SOURCE_DIR}/app/startup_real.cpp)
target_link_libraries(orbis-mouse PRIVATE orbis_core PkgConfig::HIDAPI)

add_executable(orbis-mouse-demo ${CMAKE_SOURCE_DIR}/app/main.cpp ${CMAKE_SOURCE_DIR}/sim/demo_startup.cpp)
target_link_libraries(orbis-mouse-demo PRIVATE orbis_sim orbis_core)
