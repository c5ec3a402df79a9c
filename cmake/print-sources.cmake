# Prints the C++ files of the real program for one OS, one per line:
#   cmake -DORBIS_FOR_WINDOWS=ON -DORBIS_SOURCE_ROOT=<root> -P cmake/print-sources.cmake
include(${CMAKE_CURRENT_LIST_DIR}/sourcelists.cmake)
set(files ${ORBIS_BASE_SOURCES} ${ORBIS_DEVICE_SOURCES} ${ORBIS_CORE_SOURCES}
    ${ORBIS_REAL_PROGRAM_SOURCES})
list(FILTER files INCLUDE REGEX "\\.cpp$")
list(REMOVE_DUPLICATES files)
list(SORT files)
foreach(f ${files})
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${f}")
endforeach()
