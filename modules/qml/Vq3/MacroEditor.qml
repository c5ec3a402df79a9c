// Macro editor page: the macro library on the left, the actions of the selected macro on the
// right, recording from the global input capture, editing and inserting actions, the repeat
// count. Every change is saved at once and announced with modifyMacroData, so the main window
// re-sends the macro to every button that plays it.
import QtQuick
import modules.qml
import "macrocode.js" as MacroCode

PanelFrame {
    id: macroEditor
    objectName: "macroEditorMain"
    width: 640
    height: 448
    visible: false
    titleText: Values.langText(macroEditorLang, 0)

    property var macroEditorLang: ["Macro Editor", "Macro Name", "New", "Delete", "Action",
        "Stop Record", "Times", "OK", "Start Record", "Delay", "Delete", "Import", "Export",
        "Insert Delay", "Insert Key", "Insert Left Key", "Insert Middle Key", "Insert Right Key",
        "Keys are captured only while this window has the focus", ""]
    readonly property int maxMacros: 100
    property bool isInputting: false   // recording
    property bool isInsertting: false  // the insert-key dialog is open
    property int ticks: 0              // 10 ms steps since the last recorded event
    property string insertLabel: ""
    property string nameMessage: ""    // why the last name was refused
    // The names in list order, for the key assignment page's macro list.
    property var macroNames: []
    // The page's state; the controls show it once the page has been opened.
    property int currentMacro: -1      // the selected macro's row
    property int currentAction: -1     // the selected action's row
    property string repeatText: "1"    // the repeat count, as typed
    property bool recordDelays: false  // recording stores the pauses between events
    property bool insertOpen: false    // the insert-key dialog is shown
    // The macro list's selection as the key capture reads it, built or not.
    readonly property QtObject macroNumber_lv: QtObject {
        readonly property int currentIndex: macroEditor.currentMacro
    }

    // Asks the controls to close their menus, and to end an edit in progress.
    signal menusClosing
    signal editsEnding
    // An action was recorded at the end of the list (the list scrolls to it).
    signal actionRecorded

    // The mask behind the pages, hidden when this page closes.
    required property Item mask
    required property QtObject keyNames // key labels and codes
    // The key assignment panel, told about the library's names.
    property Item keyAssignment: null

    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)

    function lang(i) { return Values.langText(macroEditorLang, i) }

    // --- The library ---

    function init() {
        var names = ui_View.getNameList(NameList.Macros)
        if (names.length === 2 && String(names[1]) === "loadermarlow")
            names = [names[0]]
        macroModel.clear()
        for (var i = 0; i < names.length && i < maxMacros; ++i)
            macroModel.append({ "name": String(names[i]) })
        currentMacro = -1
        actionModel.clear()
        refreshNames(false)
    }

    function selectedName() {
        return currentMacro >= 0 && currentMacro < macroModel.count
               ? macroModel.get(currentMacro).name : ""
    }

    function hasName(name) {
        for (var i = 0; i < macroModel.count; ++i)
            if (macroModel.get(i).name === name)
                return true
        return false
    }

    // "Macro_<n>" with the lowest n that is neither in the list nor a file on disk (a file the
    // list lost, or one the user put there), so a new entry never takes over a user's file.
    function freeName() {
        for (var n = 0; n < 1000; ++n) {
            var name = "Macro_" + n
            if (!hasName(name) && String(ui_View.checkMacroName(name)) === "")
                return name
        }
        return ""
    }

    // Stores the list and hands it to the key assignment page.
    function refreshNames(store) {
        var names = []
        for (var i = 0; i < macroModel.count; ++i)
            names.push(macroModel.get(i).name)
        if (store)
            ui_View.updataNameList(NameList.Macros, names)
        macroNames = names
        if (keyAssignment)
            keyAssignment.setMacroNames(names)
    }

    function selectMacro(index) {
        Scene.commitInputs(macroEditor) // a repeat count typed for the macro chosen before belongs to it
        stopRecording()
        currentMacro = index
        currentAction = -1
        loadActions()
    }

    function newMacro() {
        nameMessage = ""
        var name = freeName()
        if (macroModel.count >= maxMacros || name === "")
            return
        macroModel.append({ "name": name })
        ui_View.createMacroIni(name, 0)
        selectMacro(macroModel.count - 1)
        refreshNames(true)
    }

    function importMacro() {
        nameMessage = ""
        var name = freeName()
        if (macroModel.count >= maxMacros || name === "")
            return
        var at = currentMacro >= 0 ? currentMacro : macroModel.count
        macroModel.insert(at, { "name": name })
        if (!ui_View.loadMacroFile(name))
            ui_View.createMacroIni(name, 0)
        selectMacro(at)
        refreshNames(true)
    }

    function exportMacro() {
        if (selectedName() !== "")
            ui_View.saveMacroFile(selectedName())
    }

    function deleteSelected() {
        var name = selectedName()
        if (name === "")
            return
        stopRecording()
        var index = currentMacro
        ui_View.deleteMacroIni(name)
        actionModel.clear()
        deleteMacro(name)
        macroModel.remove(index)
        selectMacro(Math.min(index, macroModel.count - 1))
        refreshNames(true)
    }

    // A new name is taken only when no other macro has it and it can be a file name.
    function renameMacro(index, newName) {
        if (index < 0 || index >= macroModel.count)
            return
        var oldName = macroModel.get(index).name
        if (hasName(newName))
            return
        var problem = String(ui_View.checkMacroName(newName))
        if (problem !== "") {
            nameMessage = problem
            return
        }
        nameMessage = ""
        modifyMacroName(oldName, newName)
        macroModel.setProperty(index, "name", newName)
        refreshNames(true)
    }

    // --- The actions of the selected macro ---

    function loadActions() {
        actionModel.clear()
        var name = selectedName()
        if (name === "")
            return
        var entries = ui_View.loadMacroIni(name)
        if (entries.length === 0)
            return
        var actions = MacroCode.parseActions(entries.slice(0, entries.length - 1))
        for (var i = 0; i < actions.length; ++i)
            actionModel.append(actions[i])
        repeatText = String(entries[entries.length - 1])
    }

    function actions() {
        var list = []
        for (var i = 0; i < actionModel.count; ++i) {
            var a = actionModel.get(i)
            list.push({ "type": a.type, "info": a.info })
        }
        return list
    }

    function recordCount() {
        return MacroCode.recordCount(actions())
    }

    function isFull() {
        return recordCount() >= MacroCode.recordLimit
    }

    function autoSave() {
        var name = selectedName()
        if (name === "")
            return
        var texts = []
        var list = actions()
        for (var i = 0; i < list.length; ++i)
            texts.push(MacroCode.actionText(list[i]))
        ui_View.saveMacroIni(name, texts, parseInt(repeatText) || 0)
        modifyMacroData(name)
    }

    function sendMacro(index, macroName) {
        var entries = ui_View.loadMacroIni(macroName)
        if (entries.length === 0)
            return
        var list = MacroCode.parseActions(entries.slice(0, entries.length - 1))
        var repeat = parseInt(entries[entries.length - 1]) || 0
        var bytes = MacroCode.deCode(list, repeat, function (label) {
            return keyNames.strTokeycode(label)
        })
        ui_View.mouseSendMacroData(bytes, index)
    }

    // --- Recording ---

    function startRecording() {
        closeMenus()
        actionModel.clear()
        currentAction = -1
        ticks = 0
        tickTimer.start()
        isInputting = true
    }

    function stopRecording() {
        if (!isInputting)
            return
        tickTimer.stop()
        isInputting = false
        autoSave()
    }

    function detectKeyboard(isDown, usbCode) {
        if (!isInputting || isFull())
            return
        var label = keyNames.keycodeTostr(usbCode)
        if (label === "")
            return
        if (actionModel.count > 0 && recordDelays)
            actionModel.append({ "type": 0, "info": String(ticks * 10) })
        ticks = 0
        var mouseButton = usbCode >= 0xF0
        var type = isDown ? (mouseButton ? 3 : 1) : (mouseButton ? 4 : 2)
        actionModel.append({ "type": type, "info": label })
        actionRecorded()
    }

    // --- Editing ---

    function deleteAction() {
        if (currentAction < 0)
            return
        actionModel.remove(currentAction)
        currentAction = Math.min(currentAction, actionModel.count - 1)
        autoSave()
    }

    function insertDelay() {
        if (isFull() || selectedName() === "")
            return
        var at = currentAction >= 0 ? currentAction : actionModel.count
        actionModel.insert(at, { "type": 0, "info": "50" })
        currentAction = at
        autoSave()
    }

    // The pair press, release of a label; before the selected action for keys, after it for
    // mouse buttons; at the end when the last action (or nothing) is selected.
    function insertPair(pressType, label, after) {
        var selected = currentAction
        var at = actionModel.count
        if (selected >= 0 && selected < actionModel.count - 1)
            at = after ? selected + 1 : selected
        actionModel.insert(at, { "type": pressType, "info": label })
        actionModel.insert(at + 1, { "type": pressType + 1, "info": label })
        autoSave()
    }

    function openInsertKey() {
        if (isFull() || selectedName() === "")
            return
        insertLabel = ""
        isInsertting = true
        insertOpen = true
    }

    function detectInput(isDown, usbCode) {
        if (isInsertting && usbCode < 0xF0) {
            var label = keyNames.keycodeTostr(usbCode)
            if (label !== "")
                insertLabel = label
        }
    }

    function closeInsertKey(accept) {
        isInsertting = false
        insertOpen = false
        if (accept && insertLabel !== "")
            insertPair(1, insertLabel, false)
    }

    function insertMouseButton(code) {
        if (isFull() || selectedName() === "")
            return
        insertPair(3, keyNames.keycodeTostr(code), true)
    }

    function setDelay(index, text) {
        var ms = parseInt(text)
        if (isNaN(ms) || index < 0 || index >= actionModel.count)
            return
        actionModel.setProperty(index, "info", String(Math.max(0, Math.min(65535, ms))))
        autoSave()
    }

    function macroMenuCmd(cmd) {
        closeMenus()
        if (cmd === 0)
            deleteSelected()
        else if (cmd === 1)
            importMacro()
        else if (cmd === 2)
            exportMacro()
    }

    function actionMenuCmd(cmd) {
        closeMenus()
        switch (cmd) {
        case 0: deleteAction(); break
        case 1: insertDelay(); break
        case 2: openInsertKey(); break
        case 3: insertMouseButton(0xF0); break
        case 4: insertMouseButton(0xF2); break
        case 5: insertMouseButton(0xF1); break
        }
    }

    function closeMenus() {
        menusClosing()
    }

    // A press elsewhere in the panel (or on the mask) closes the menus and ends an edit.
    function macroEditorFocus() {
        closeMenus()
        editsEnding()
    }

    function close() {
        stopRecording()
        closeInsertKey(false)
        closeMenus()
        visible = false
        mask.visible = false
        if (keyAssignment)
            keyAssignment.closeMacroMenu()
    }

    onBackgroundPressed: macroEditorFocus()
    // The controls are built on the first opening, and kept.
    onVisibleChanged: {
        if (visible)
            body.active = true
    }
    onCloseClicked: close()

    Timer {
        id: tickTimer
        objectName: "tickTimer"
        interval: 10
        repeat: true
        onTriggered: macroEditor.ticks += 1
    }

    ListModel { id: macroModel }
    ListModel { id: actionModel }

    component Caption: Text {
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    // The type of an action at a glance: a clock for a delay, a key cap or a mouse with an
    // arrow down for a press and up for a release.
    component ActionIcon: Item {
        id: actionIcon
        property int actionType: 0
        width: 28
        height: 18
        Rectangle {
            visible: actionIcon.actionType === 0
            x: 4; width: 18; height: 18
            radius: 9
            color: "transparent"
            border.color: Theme.colorGray3
            Rectangle { x: 8; y: 3; width: 2; height: 7; color: Theme.colorGray3 }
            Rectangle { x: 8; y: 8; width: 6; height: 2; color: Theme.colorGray3 }
        }
        Rectangle {
            visible: actionIcon.actionType === 1 || actionIcon.actionType === 2
            width: 18; height: 16
            y: 1
            radius: 3
            color: Theme.colorGray1
            border.color: Theme.colorGray3
        }
        Rectangle {
            visible: actionIcon.actionType === 3 || actionIcon.actionType === 4
            x: 3; width: 12; height: 18
            radius: 6
            color: Theme.colorGray1
            border.color: Theme.colorGray3
            Rectangle { x: 5; y: 1; width: 2; height: 6; color: Theme.colorGray3 }
        }
        Text {
            visible: actionIcon.actionType >= 1 && actionIcon.actionType <= 4
            x: 18; width: 10; height: 18
            verticalAlignment: Text.AlignVCenter
            text: actionIcon.actionType === 1 || actionIcon.actionType === 3 ? "\u2193" : "\u2191"
            font.pixelSize: Theme.fontNormalSize
            font.bold: true
            color: actionIcon.actionType === 1 || actionIcon.actionType === 3 ? Theme.colorOrange
                                                                              : "#4a90e2"
        }
    }

    // A column of menu entries shown where the list was right-clicked.
    component PopupMenu: Rectangle {
        id: popup
        property var entries: []
        signal chosen(int cmd)
        width: 150
        height: column.height + 4
        visible: false
        z: 10
        color: Theme.colorGray0
        border.color: Theme.colorGray1
        Column {
            id: column
            x: 2
            y: 2
            Repeater {
                model: popup.entries
                TextButton {
                    required property int index
                    required property string modelData
                    width: popup.width - 4
                    textValue: modelData
                    textAlign: Text.AlignLeft
                    normalColor: Theme.colorGray0
                    onClicked: popup.chosen(index)
                }
            }
        }
        function openAt(item, x, y) {
            var p = item.mapToItem(popup.parent, x, y)
            popup.x = Math.min(p.x, popup.parent.width - popup.width)
            popup.y = Math.min(p.y, popup.parent.height - popup.height)
            popup.visible = true
        }
    }

    Loader {
        id: body
        anchors.fill: parent
        active: false
        sourceComponent: Item {
            Connections {
                target: macroEditor
                function onMenusClosing() {
                    macroMenu.visible = false
                    actionMenu.visible = false
                }
                function onEditsEnding() {
                    if (macroList.editIndex >= 0)
                        macroList.finishEdit()
                    if (actionList.editIndex >= 0)
                        actionList.finishEdit()
                }
                function onActionRecorded() {
                    actionList.positionViewAtEnd()
                }
            }

            // --- Left: the macro library ---

            Caption {
                x: 16; y: 8
                width: 200; height: 24
                text: macroEditor.lang(1)
            }
            Rectangle {
                id: macroFrame
                x: 16; y: 36
                width: 200; height: 300
                color: "transparent"
                border.color: Theme.colorGray1

                ListView {
                    id: macroList
                    objectName: "macroList"
                    property int editIndex: -1
                    anchors.fill: parent
                    anchors.margins: 1
                    clip: true
                    currentIndex: macroEditor.currentMacro
                    model: macroModel

                    function finishEdit() {
                        var index = editIndex
                        var text = macroEdit.text
                        editIndex = -1
                        macroEditor.renameMacro(index, text)
                    }

                    delegate: Rectangle {
                        id: macroRow
                        required property int index
                        required property string name
                        width: macroList.width
                        height: 24
                        color: index === macroEditor.currentMacro ? Theme.colorBlue : "transparent"
                        Caption {
                            anchors.fill: parent
                            anchors.leftMargin: 8
                            text: macroRow.name
                            visible: macroList.editIndex !== macroRow.index
                        }
                        MouseArea {
                            anchors.fill: parent
                            acceptedButtons: Qt.LeftButton | Qt.RightButton
                            onPressed: function (mouse) {
                                macroEditorFocus()
                                if (macroEditor.currentMacro !== index)
                                    selectMacro(index)
                                if (mouse.button === Qt.RightButton)
                                    macroMenu.openAt(parent, mouse.x, mouse.y)
                            }
                            onDoubleClicked: {
                                macroEdit.text = macroRow.name
                                macroList.editIndex = macroRow.index
                                macroEdit.y = parent.y - macroList.contentY
                                macroEdit.forceActiveFocus()
                                macroEdit.selectAll()
                            }
                        }
                    }
                    TextInput {
                        id: macroEdit
                        objectName: "macroEdit"
                        x: 8
                        width: macroList.width - 16
                        height: 24
                        visible: macroList.editIndex >= 0
                        verticalAlignment: TextInput.AlignVCenter
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                        color: Theme.fontColor
                        selectByMouse: true
                        onAccepted: macroList.finishEdit()
                    }
                }
                // Pressing the empty part of the list.
                MouseArea {
                    anchors.fill: parent
                    z: -1
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: function (mouse) {
                        macroEditorFocus()
                        if (mouse.button === Qt.RightButton)
                            macroMenu.openAt(macroFrame, mouse.x, mouse.y)
                    }
                }
            }
            Caption {
                id: nameNote
                objectName: "macroNameMessage"
                x: 16; y: 340
                width: 200; height: 34
                wrapMode: Text.WordWrap
                maximumLineCount: 2
                color: "#ff6b6b" // the dark accent red is hard to read as text
                font.pixelSize: Theme.fontMinSize
                text: macroEditor.nameMessage
            }
            TextButton {
                objectName: "newButton"
                x: 16; y: 378
                width: 96
                textValue: macroEditor.lang(2)
                onClicked: { macroEditor.macroEditorFocus(); macroEditor.newMacro() }
            }
            TextButton {
                objectName: "deleteButton"
                x: 120; y: 378
                width: 96
                textValue: macroEditor.lang(3)
                onClicked: { macroEditor.macroEditorFocus(); macroEditor.deleteSelected() }
            }

            // --- Right: the actions ---

            Caption {
                x: 232; y: 8
                width: 200; height: 24
                text: macroEditor.lang(4)
            }
            Rectangle {
                id: actionFrame
                x: 232; y: 36
                width: 392; height: 300
                color: "transparent"
                border.color: macroEditor.isInputting ? Theme.colorOrange : Theme.colorGray1

                ListView {
                    id: actionList
                    objectName: "actionList"
                    property int editIndex: -1
                    anchors.fill: parent
                    anchors.margins: 1
                    clip: true
                    currentIndex: macroEditor.currentAction
                    model: actionModel

                    function finishEdit() {
                        var index = editIndex
                        editIndex = -1
                        macroEditor.setDelay(index, delayEdit.text)
                    }

                    delegate: Rectangle {
                        id: actionRow
                        required property int index
                        required property int type
                        required property string info
                        width: actionList.width
                        height: 24
                        color: index === macroEditor.currentAction ? Theme.colorBlue : "transparent"
                        Caption {
                            x: 8; width: 36; height: parent.height
                            text: actionRow.index + 1
                            color: Theme.colorGray2
                        }
                        ActionIcon {
                            x: 48
                            anchors.verticalCenter: parent.verticalCenter
                            actionType: actionRow.type
                        }
                        Caption {
                            x: 80; width: parent.width - 88; height: parent.height
                            text: actionRow.type === 0 ? actionRow.info + " ms" : actionRow.info
                            visible: actionList.editIndex !== actionRow.index
                        }
                        MouseArea {
                            anchors.fill: parent
                            acceptedButtons: Qt.LeftButton | Qt.RightButton
                            onPressed: function (mouse) {
                                macroEditorFocus()
                                macroEditor.currentAction = index
                                if (mouse.button === Qt.RightButton && !isInputting)
                                    actionMenu.openAt(parent, mouse.x, mouse.y)
                            }
                            onDoubleClicked: {
                                if (actionRow.type !== 0 || macroEditor.isInputting)
                                    return
                                delayEdit.text = actionRow.info
                                actionList.editIndex = actionRow.index
                                delayEdit.y = parent.y - actionList.contentY
                                delayEdit.forceActiveFocus()
                                delayEdit.selectAll()
                            }
                        }
                    }
                    TextInput {
                        id: delayEdit
                        objectName: "delayEdit"
                        x: 80
                        width: 120
                        height: 24
                        visible: actionList.editIndex >= 0
                        verticalAlignment: TextInput.AlignVCenter
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                        color: Theme.fontColor
                        selectByMouse: true
                        validator: IntValidator { bottom: 0; top: 65535 }
                        onAccepted: actionList.finishEdit()
                    }
                }
                MouseArea {
                    anchors.fill: parent
                    z: -1
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: function (mouse) {
                        macroEditorFocus()
                        if (mouse.button === Qt.RightButton && !isInputting && selectedName() !== "")
                            actionMenu.openAt(actionFrame, mouse.x, mouse.y)
                    }
                }
            }

            TextButton {
                id: recordButton
                objectName: "recordButton"
                x: 232; y: 378
                width: 120
                textValue: macroEditor.isInputting ? macroEditor.lang(5) : macroEditor.lang(8)
                normalColor: macroEditor.isInputting ? Theme.colorOrange : Theme.colorBlue
                onClicked: {
                    macroEditor.macroEditorFocus()
                    if (macroEditor.isInputting)
                        macroEditor.stopRecording()
                    else if (macroEditor.selectedName() !== "")
                        macroEditor.startRecording()
                }
            }
            // Without a desktop-wide capture, a recording sees only what reaches this window.
            Text {
                objectName: "macroFocusNotice"
                x: 232; y: 412
                visible: macroEditor.isInputting && typeof ui_View.isGlobalInputCapture === "function"
                         && !ui_View.isGlobalInputCapture()
                text: macroEditor.lang(18)
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                color: Theme.colorGray2
            }
            Caption {
                x: 368; y: 378
                width: 48; height: 24
                horizontalAlignment: Text.AlignRight
                text: macroEditor.lang(6)
            }
            RectInput {
                id: repeatInput
                objectName: "repeatInput"
                x: 424; y: 378
                minValue: 1
                maxValue: 65535
                textValue: macroEditor.repeatText
                onTextValueChanged: macroEditor.repeatText = textValue
                onEndInputSignal: macroEditor.autoSave()
            }
            CheckBox {
                id: delayBox
                objectName: "delayBox"
                x: 488; y: 380
                textValue: macroEditor.lang(9)
                isSelect: macroEditor.recordDelays
                onIsSelectChanged: macroEditor.recordDelays = isSelect
            }

            PopupMenu {
                id: macroMenu
                objectName: "macroMenu"
                entries: [macroEditor.lang(10), macroEditor.lang(11), macroEditor.lang(12)]
                onChosen: function (cmd) { macroMenuCmd(cmd) }
            }
            PopupMenu {
                id: actionMenu
                objectName: "actionMenu"
                entries: [macroEditor.lang(10), macroEditor.lang(13), macroEditor.lang(14),
                          macroEditor.lang(15), macroEditor.lang(16), macroEditor.lang(17)]
                onChosen: function (cmd) { actionMenuCmd(cmd) }
            }

            // The insert-key dialog over a mask of its own.
            Rectangle {
                id: insertDialog
                objectName: "insertDialog"
                anchors.fill: parent
                anchors.topMargin: 30
                visible: macroEditor.insertOpen
                z: 20
                color: "#90000000"
                MouseArea { anchors.fill: parent }
                Rectangle {
                    anchors.centerIn: parent
                    width: 260; height: 140
                    radius: 4
                    color: Theme.colorGray0
                    border.color: Theme.colorGray1
                    Caption {
                        x: 12; y: 6
                        width: parent.width - 24; height: 24
                        text: macroEditor.lang(14)
                    }
                    Rectangle {
                        x: 30; y: 44
                        width: 200; height: 32
                        color: "transparent"
                        border.color: Theme.colorOrange
                        Caption {
                            objectName: "insertLabel"
                            anchors.fill: parent
                            horizontalAlignment: Text.AlignHCenter
                            font.pixelSize: Theme.fontMaxSize
                            text: macroEditor.insertLabel
                        }
                    }
                    TextButton {
                        objectName: "insertOk"
                        x: 98; y: 100
                        textValue: macroEditor.lang(7)
                        onClicked: macroEditor.closeInsertKey(true)
                    }
                }
            }
        }
    }
}
