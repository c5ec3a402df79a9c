# The scene (main.qml with its basic components) and the pages are compiled into the programs
# ahead of time: qmlcachegen turns every file into byte code at build time, so start-up does not
# parse and compile QML. The module's URI places the files at their resource paths
# (qrc:/modules/qml/main.qml, .../basic/..., .../Vq3/...).
file(GLOB ORBIS_QML_FILES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/modules/qml
    ${CMAKE_SOURCE_DIR}/modules/qml/*.qml ${CMAKE_SOURCE_DIR}/modules/qml/*.js
    ${CMAKE_SOURCE_DIR}/modules/qml/basic/*.qml ${CMAKE_SOURCE_DIR}/modules/qml/basic/*.js
    ${CMAKE_SOURCE_DIR}/modules/qml/Vq3/*.qml ${CMAKE_SOURCE_DIR}/modules/qml/Vq3/*.js)
set(ORBIS_QML_SOURCES)
foreach(f ${ORBIS_QML_FILES})
    set_source_files_properties(modules/qml/${f} PROPERTIES QT_RESOURCE_ALIAS ${f})
    list(APPEND ORBIS_QML_SOURCES modules/qml/${f})
endforeach()
# The scene's shared look and its value and scene helpers: one instance for every file.
set_source_files_properties(modules/qml/basic/Theme.qml modules/qml/basic/Values.qml
    modules/qml/basic/Scene.qml PROPERTIES QT_QML_SINGLETON_TYPE TRUE)
# The module's own files (qmldir, type information) go to a folder named after its URI, where
# Qt's tooling looks for them; the program reads the scene from its resources only.
qt_add_qml_module(orbis_core URI modules.qml VERSION 1.0 RESOURCE_PREFIX / NO_PLUGIN
    OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/qml/modules/qml
    QML_FILES ${ORBIS_QML_SOURCES})
# The generated type registration includes the enums' header (bridge/vocabulary.h) by its bare
# name.
set_source_files_properties(${CMAKE_BINARY_DIR}/orbis_core_qmltyperegistrations.cpp
    PROPERTIES INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}/bridge)
# The basic components reach each other and the singletons through their folder's own listing
# (a file of the module importing the module itself makes the type loader go round in a circle).
qt_add_resources(orbis_core orbis_basic_qmldir PREFIX "/modules/qml/basic"
    BASE ${CMAKE_SOURCE_DIR}/modules/qml/basic FILES ${CMAKE_SOURCE_DIR}/modules/qml/basic/qmldir)

# Run-time data, copied (not linked) twice: beside the executables, the portable tree the real
# program works in; and the factory tree in share/orbis-mouse/, laid out as an installation,
# which no program writes: the demo seeds its own tree from it, and tests copy it.
file(GLOB_RECURSE ORBIS_DATA_FILES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}
    ${CMAKE_SOURCE_DIR}/modules/setting/* ${CMAKE_SOURCE_DIR}/modules/macro/*
    ${CMAKE_SOURCE_DIR}/modules/gun/* ${CMAKE_SOURCE_DIR}/modules/i18n/*
    ${CMAKE_SOURCE_DIR}/modules/img/*.ico)
set(ORBIS_FACTORY_DIR ${CMAKE_BINARY_DIR}/share/orbis-mouse)
set(ORBIS_DATA_OUTPUTS)
foreach(tree ${CMAKE_BINARY_DIR}/bin ${ORBIS_FACTORY_DIR})
    foreach(f ${ORBIS_DATA_FILES})
        set(out ${tree}/${f})
        add_custom_command(OUTPUT ${out}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/${f} ${out}
            DEPENDS ${CMAKE_SOURCE_DIR}/${f} VERBATIM)
        list(APPEND ORBIS_DATA_OUTPUTS ${out})
    endforeach()
endforeach()
# The udev rule beside the factory tree: the program names this copy when it tells a user of
# the build tree how to install the rule.
set(ORBIS_SHIPPED_RULE ${ORBIS_FACTORY_DIR}/70-orbis-mouse.rules)
add_custom_command(OUTPUT ${ORBIS_SHIPPED_RULE}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/packaging/70-orbis-mouse.rules
        ${ORBIS_SHIPPED_RULE}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/70-orbis-mouse.rules VERBATIM)
list(APPEND ORBIS_DATA_OUTPUTS ${ORBIS_SHIPPED_RULE})
add_custom_target(orbis_data ALL DEPENDS ${ORBIS_DATA_OUTPUTS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/modules/macro
        ${ORBIS_FACTORY_DIR}/modules/macro)
add_dependencies(orbis_core orbis_data)

# The English strings are compiled in as well: they stand in for a group or a string that the
# chosen language file lacks.
qt_add_resources(orbis_core orbis_builtin_strings PREFIX "/builtin"
    BASE ${CMAKE_SOURCE_DIR}/modules/i18n FILES ${CMAKE_SOURCE_DIR}/modules/i18n/en.ini)
# The translations of the native texts (tray menu, notices, dialogs, --help): compiled by lrelease
# at build time into the resources, under :/i18n/. Languages other than English need a .ts file
# here and a language file in modules/i18n/ for the scene. "cmake --build build --target
# update_translations" refreshes the .ts files from the sources.
qt_add_translations(orbis_core
    TS_FILES ${CMAKE_SOURCE_DIR}/translations/orbis-mouse_zh_CN.ts
    RESOURCE_PREFIX /i18n
    LUPDATE_OPTIONS -no-obsolete -locations none)
