# The source lists of the libraries and programs, gathered per folder, so adding a unit means
# adding its files, nothing more. ORBIS_FOR_WINDOWS picks the Windows backends of platform/.
# Included by sources.cmake, and in script mode by cmake/print-sources.cmake (for
# scripts/check-windows.sh), so both see the same files.
if(NOT DEFINED ORBIS_SOURCE_ROOT)
    set(ORBIS_SOURCE_ROOT ${CMAKE_SOURCE_DIR})
endif()
if(CMAKE_SCRIPT_MODE_FILE)
    set(orbis_depends)
else()
    set(orbis_depends CONFIGURE_DEPENDS)
endif()

file(GLOB ORBIS_BASE_SOURCES ${orbis_depends} ${ORBIS_SOURCE_ROOT}/base/*.cpp ${ORBIS_SOURCE_ROOT}/base/*.h)
file(GLOB ORBIS_DEVICE_SOURCES ${orbis_depends}
    ${ORBIS_SOURCE_ROOT}/device/*.cpp ${ORBIS_SOURCE_ROOT}/device/*.h)
file(GLOB ORBIS_CORE_SOURCES ${orbis_depends}
    ${ORBIS_SOURCE_ROOT}/app/*.cpp ${ORBIS_SOURCE_ROOT}/app/*.h
    ${ORBIS_SOURCE_ROOT}/bridge/*.cpp ${ORBIS_SOURCE_ROOT}/bridge/*.h
    ${ORBIS_SOURCE_ROOT}/hooks/*.cpp ${ORBIS_SOURCE_ROOT}/hooks/*.h
    ${ORBIS_SOURCE_ROOT}/platform/*.cpp ${ORBIS_SOURCE_ROOT}/platform/*.h)
# One backend folder per OS behind the small interfaces of platform/.
if(ORBIS_FOR_WINDOWS)
    set(ORBIS_PLATFORM_DIR ${ORBIS_SOURCE_ROOT}/platform/windows)
else()
    set(ORBIS_PLATFORM_DIR ${ORBIS_SOURCE_ROOT}/platform/linux)
endif()
file(GLOB ORBIS_PLATFORM_SOURCES ${orbis_depends} ${ORBIS_PLATFORM_DIR}/*.cpp ${ORBIS_PLATFORM_DIR}/*.h)
list(APPEND ORBIS_CORE_SOURCES ${ORBIS_PLATFORM_SOURCES})
# The entry points and the two start-up hooks are chosen per program at link time.
list(FILTER ORBIS_CORE_SOURCES EXCLUDE REGEX "/app/main\\.cpp$|/app/startup_(real|demo)\\.cpp$")
set(ORBIS_REAL_PROGRAM_SOURCES ${ORBIS_SOURCE_ROOT}/app/main.cpp ${ORBIS_SOURCE_ROOT}/app/startup_real.cpp)
set(ORBIS_DEMO_PROGRAM_SOURCES ${ORBIS_SOURCE_ROOT}/app/main.cpp ${ORBIS_SOURCE_ROOT}/app/startup_demo.cpp)

file(GLOB ORBIS_SIM_SOURCES ${orbis_depends} ${ORBIS_SOURCE_ROOT}/sim/*.cpp ${ORBIS_SOURCE_ROOT}/sim/*.h)
