# The scene (main.qml with its basic components) and the pages are compiled into the programs
# ahead of time: qmlcachegen turns every file into byte code at build time, so start-up does not
# parse and compile QML. The module's URI places the files at their resource paths
# (qrc:/modules/qml/main.qml, .../basic/..., .../Vq3/...).
file(GLOB ORBIS_QML_FILES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/modules/qml
    ${CMAKE_SOURCE_DIR}/modules/qml/*.qml ${CMAKE_SOURCE_DIR}/modules/qml/basic/*.qml
    ${CMAKE_SOURCE_DIR}/modules/qml/Vq3/*.qml)
set(ORBIS_QML_SOURCES)
foreach(f ${ORBIS_QML_FILES})
    set_source_files_properties(modules/qml/${f} PROPERTIES QT_RESOURCE_ALIAS ${f})
    list(APPEND ORBIS_QML_SOURCES modules/qml/${f})
endforeach()
qt_add_qml_module(orbis_core URI modules.qml VERSION 1.0 RESOURCE_PREFIX / NO_PLUGIN
    QML_FILES ${ORBIS_QML_SOURCES})

# Run-time data beside the executables. Copied (not linked) so tests may change their copy.
file(GLOB_RECURSE ORBIS_DATA_FILES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}
    ${CMAKE_SOURCE_DIR}/modules/setting/* ${CMAKE_SOURCE_DIR}/modules/macro/*
    ${CMAKE_SOURCE_DIR}/modules/gun/* ${CMAKE_SOURCE_DIR}/modules/i18n/*
    ${CMAKE_SOURCE_DIR}/modules/img/*.ico)
set(ORBIS_DATA_OUTPUTS)
foreach(f ${ORBIS_DATA_FILES})
    set(out ${CMAKE_BINARY_DIR}/bin/${f})
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/${f} ${out}
        DEPENDS ${CMAKE_SOURCE_DIR}/${f} VERBATIM)
    list(APPEND ORBIS_DATA_OUTPUTS ${out})
endforeach()
add_custom_target(orbis_data ALL DEPENDS ${ORBIS_DATA_OUTPUTS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/modules/macro)
add_dependencies(orbis_core orbis_data)
