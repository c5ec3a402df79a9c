# The artwork: SVG sources under modules/img/src, rendered at build time with rsvg-convert to the
# PNG names the scene uses, and compiled into the resources under the prefix of their group
# ("qrc:/mouse/modules/img/skin1/mouse/Mouse0.png", "qrc:/modules/img/background.png").
# Images that differ only in colour (hover and pressed faces, the highlighted button of the
# mouse pictures) are variants of one template: @NAME@ placeholders filled per variant.
find_program(ORBIS_RSVG_CONVERT rsvg-convert REQUIRED)

set(ORBIS_ART_SRC ${CMAKE_SOURCE_DIR}/modules/img/src)
set(ORBIS_ART_GEN ${CMAKE_BINARY_DIR}/artwork-src)
set(ORBIS_ART_OUT ${CMAKE_BINARY_DIR}/artwork)
set(ORBIS_SKIN_DIR modules/img/skin1)

# Renders <svg> to <ORBIS_ART_OUT>/<dir>/<name>.png and appends the PNG to the list <outlist>.
function(orbis_render svg dir name outlist)
    set(png ${ORBIS_ART_OUT}/${dir}/${name}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ORBIS_ART_OUT}/${dir}
        COMMAND ${ORBIS_RSVG_CONVERT} --format=png --output=${png} ${svg}
        DEPENDS ${svg} VERBATIM)
    set(${outlist} ${${outlist}} ${png} PARENT_SCOPE)
endfunction()

# Renders a variant of <template>: the remaining arguments are KEY=value pairs for its @KEY@
# placeholders.
function(orbis_variant template dir name outlist)
    foreach(pair ${ARGN})
        string(REGEX MATCH "^[^=]+" key "${pair}")
        string(REGEX REPLACE "^[^=]+=" "" value "${pair}")
        set(${key} "${value}")
    endforeach()
    set(svg ${ORBIS_ART_GEN}/${dir}/${name}.svg)
    configure_file(${template} ${svg} @ONLY)
    orbis_render(${svg} ${dir} ${name} ${outlist})
    set(${outlist} ${${outlist}} PARENT_SCOPE)
endfunction()

# --- Window backdrop ---
set(ORBIS_ART_ROOT)
foreach(name background titleBar titleLogo)
    orbis_render(${ORBIS_ART_SRC}/${name}.svg modules/img ${name} ORBIS_ART_ROOT)
endforeach()

# --- index: window buttons, help, reset, start-up picture, drop arrows, slider, check mark ---
set(ORBIS_ART_INDEX)
set(idx ${ORBIS_SKIN_DIR}/index)
foreach(name sureBtn checkBtn slide scale powerOn)
    orbis_render(${ORBIS_ART_SRC}/index/${name}.svg ${idx} ${name} ORBIS_ART_INDEX)
endforeach()
set(normal "BG=#00000000" "FG=#969696")
set(hover "BG=#3c3c3c" "FG=#ffffff")
set(danger "BG=#b20808" "FG=#ffffff")
foreach(spec "icon-min:minBtn" "icon-ask:ask" "icon-back:back")
    string(REPLACE ":" ";" spec "${spec}")
    list(GET spec 0 icon)
    list(GET spec 1 name)
    orbis_variant(${ORBIS_ART_SRC}/index/${icon}.svg.in ${idx} ${name} ORBIS_ART_INDEX ${normal})
    orbis_variant(${ORBIS_ART_SRC}/index/${icon}.svg.in ${idx} ${name}H ORBIS_ART_INDEX ${hover})
endforeach()
orbis_variant(${ORBIS_ART_SRC}/index/icon-close.svg.in ${idx} closeBtn ORBIS_ART_INDEX ${normal})
orbis_variant(${ORBIS_ART_SRC}/index/icon-close.svg.in ${idx} closeBtnH ORBIS_ART_INDEX ${danger})
orbis_variant(${ORBIS_ART_SRC}/index/icon-reset.svg.in ${idx} restBtn ORBIS_ART_INDEX ${normal})
orbis_variant(${ORBIS_ART_SRC}/index/icon-reset.svg.in ${idx} restBtnH ORBIS_ART_INDEX ${hover})
orbis_variant(${ORBIS_ART_SRC}/index/icon-reset.svg.in ${idx} restBtnP ORBIS_ART_INDEX ${danger})
orbis_variant(${ORBIS_ART_SRC}/index/icon-drop.svg.in ${idx} dropBtn ORBIS_ART_INDEX "ROT=0")
orbis_variant(${ORBIS_ART_SRC}/index/icon-drop.svg.in ${idx} dropBtnU ORBIS_ART_INDEX "ROT=180")

# --- lightControl and gun ---
set(ORBIS_ART_LIGHT)
foreach(name colorBar speedScale)
    orbis_render(${ORBIS_ART_SRC}/lightControl/${name}.svg ${ORBIS_SKIN_DIR}/lightControl ${name}
                 ORBIS_ART_LIGHT)
endforeach()
set(ORBIS_ART_GUN)
foreach(name target M416 AKM M16A4 SCAR-L UNP9 Thomson)
    orbis_render(${ORBIS_ART_SRC}/gun/${name}.svg ${ORBIS_SKIN_DIR}/gun ${name} ORBIS_ART_GUN)
endforeach()

# --- mouse: front and side views, plain and with one button highlighted (hover: <view><i>,
# selected: <view><i>S), and the view toggles ---
set(ORBIS_ART_MOUSE)
set(mse ${ORBIS_SKIN_DIR}/mouse)
set(plainFill "#262626")
set(plainStroke "#505050")
foreach(view "front:MouseFront:Mouse" "side:MouseSide:MouseSide")
    string(REPLACE ":" ";" view "${view}")
    list(GET view 0 template)
    list(GET view 1 plainName)
    list(GET view 2 stem)
    set(template ${ORBIS_ART_SRC}/mouse/mouse-${template}.svg.in)
    set(plain)
    foreach(i RANGE 7)
        list(APPEND plain "F${i}=${plainFill}" "S${i}=${plainStroke}")
    endforeach()
    orbis_variant(${template} ${mse} ${plainName} ORBIS_ART_MOUSE ${plain})
    foreach(i RANGE 7)
        orbis_variant(${template} ${mse} ${stem}${i} ORBIS_ART_MOUSE ${plain}
                      "F${i}=#5a5a5a" "S${i}=#d1d1d1")
        orbis_variant(${template} ${mse} ${stem}${i}S ORBIS_ART_MOUSE ${plain}
                      "F${i}=#b20808" "S${i}=#ff5050")
    endforeach()
endforeach()
set(toggle ${ORBIS_ART_SRC}/mouse/toggle)
orbis_variant(${toggle}-side.svg.in ${mse} mouseSidebtnN ORBIS_ART_MOUSE "BG=#1a1a1a" "FG=#969696")
orbis_variant(${toggle}-side.svg.in ${mse} mouseSidebtnH ORBIS_ART_MOUSE "BG=#3c3c3c" "FG=#ffffff")
orbis_variant(${toggle}-side.svg.in ${mse} mouseSidebtnS ORBIS_ART_MOUSE "BG=#b20808" "FG=#ffffff")
orbis_variant(${toggle}-front.svg.in ${mse} lightBtn ORBIS_ART_MOUSE "BG=#1a1a1a" "FG=#969696")
orbis_variant(${toggle}-front.svg.in ${mse} lightBtnS ORBIS_ART_MOUSE "BG=#b20808" "FG=#ffffff")

qt_add_resources(orbis_core orbis_images PREFIX "/" BASE ${ORBIS_ART_OUT}
    FILES ${ORBIS_ART_ROOT})
qt_add_resources(orbis_core orbis_images_index PREFIX "/index" BASE ${ORBIS_ART_OUT}
    FILES ${ORBIS_ART_INDEX})
qt_add_resources(orbis_core orbis_images_mouse PREFIX "/mouse" BASE ${ORBIS_ART_OUT}
    FILES ${ORBIS_ART_MOUSE})
qt_add_resources(orbis_core orbis_images_lightControl PREFIX "/lightControl" BASE ${ORBIS_ART_OUT}
    FILES ${ORBIS_ART_LIGHT})
qt_add_resources(orbis_core orbis_images_gun PREFIX "/gun" BASE ${ORBIS_ART_OUT}
    FILES ${ORBIS_ART_GUN})
