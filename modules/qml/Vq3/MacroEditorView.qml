pragma ComponentBehavior: Bound
// The controls of the macro editor page, built the first time the page opens: the macro list,
// the action list of the selected macro, the record, repeat and delay controls, the menus and
// the insert-key dialog. They show the page's state and call its functions.
import QtQuick
import modules.qml

Item {
    id: view
    required property MacroEditor page

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

    Connections {
        target: view.page
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
        text: view.page.lang(1)
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
            currentIndex: view.page.currentMacro
            model: view.page.macroModel

            function finishEdit() {
                var index = editIndex
                var text = macroEdit.text
                editIndex = -1
                view.page.renameMacro(index, text)
            }

            delegate: Rectangle {
                id: macroRow
                required property int index
                required property string name
                width: macroList.width
                height: 24
                color: macroRow.index === view.page.currentMacro ? Theme.colorBlue : "transparent"
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
                        view.page.pressMacro(macroRow.index)
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
                view.page.macroEditorFocus()
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
        text: view.page.nameMessage
    }
    TextButton {
        objectName: "newButton"
        x: 16; y: 378
        width: 96
        textValue: view.page.lang(2)
        onClicked: { view.page.macroEditorFocus(); view.page.newMacro() }
    }
    TextButton {
        objectName: "deleteButton"
        x: 120; y: 378
        width: 96
        textValue: view.page.lang(3)
        onClicked: { view.page.macroEditorFocus(); view.page.deleteSelected() }
    }

    // --- Right: the actions ---

    Caption {
        x: 232; y: 8
        width: 200; height: 24
        text: view.page.lang(4)
    }
    Rectangle {
        id: actionFrame
        x: 232; y: 36
        width: 392; height: 300
        color: "transparent"
        border.color: view.page.isInputting ? Theme.colorOrange : Theme.colorGray1

        ListView {
            id: actionList
            objectName: "actionList"
            property int editIndex: -1
            anchors.fill: parent
            anchors.margins: 1
            clip: true
            currentIndex: view.page.currentAction
            model: view.page.actionModel

            function finishEdit() {
                var index = editIndex
                editIndex = -1
                view.page.setDelay(index, delayEdit.text)
            }

            delegate: Rectangle {
                id: actionRow
                required property int index
                required property int type
                required property string info
                width: actionList.width
                height: 24
                color: actionRow.index === view.page.currentAction ? Theme.colorBlue : "transparent"
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
                        view.page.pressAction(actionRow.index)
                        if (mouse.button === Qt.RightButton && view.page.canEditActions())
                            actionMenu.openAt(parent, mouse.x, mouse.y)
                    }
                    onDoubleClicked: {
                        if (!view.page.canEditDelay(actionRow.index))
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
                view.page.macroEditorFocus()
                if (mouse.button === Qt.RightButton && view.page.canEditActions())
                    actionMenu.openAt(actionFrame, mouse.x, mouse.y)
            }
        }
    }

    TextButton {
        id: recordButton
        objectName: "recordButton"
        x: 232; y: 378
        width: 120
        textValue: view.page.isInputting ? view.page.lang(5) : view.page.lang(8)
        normalColor: view.page.isInputting ? Theme.colorOrange : Theme.colorBlue
        onClicked: {
            view.page.macroEditorFocus()
            view.page.toggleRecording()
        }
    }
    // The note that a recording sees only what reaches this window.
    Text {
        objectName: "macroFocusNotice"
        x: 232; y: 412
        visible: view.page.recordsOnlyThisWindow()
        text: view.page.lang(18)
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.colorGray2
    }
    Caption {
        x: 368; y: 378
        width: 48; height: 24
        horizontalAlignment: Text.AlignRight
        text: view.page.lang(6)
    }
    RectInput {
        id: repeatInput
        objectName: "repeatInput"
        x: 424; y: 378
        minValue: 1
        maxValue: 65535
        textValue: view.page.repeatText
        onTextValueChanged: view.page.repeatText = textValue
        onEndInputSignal: view.page.autoSave()
    }
    CheckBox {
        id: delayBox
        objectName: "delayBox"
        x: 488; y: 380
        textValue: view.page.lang(9)
        isSelect: view.page.recordDelays
        onIsSelectChanged: view.page.recordDelays = isSelect
    }

    PopupMenu {
        id: macroMenu
        objectName: "macroMenu"
        entries: [view.page.lang(10), view.page.lang(11), view.page.lang(12)]
        onChosen: function (cmd) { view.page.macroMenuCmd(cmd) }
    }
    PopupMenu {
        id: actionMenu
        objectName: "actionMenu"
        entries: [view.page.lang(10), view.page.lang(13), view.page.lang(14),
                  view.page.lang(15), view.page.lang(16), view.page.lang(17)]
        onChosen: function (cmd) { view.page.actionMenuCmd(cmd) }
    }

    // The insert-key dialog over a mask of its own.
    Rectangle {
        id: insertDialog
        objectName: "insertDialog"
        anchors.fill: parent
        anchors.topMargin: 30
        visible: view.page.insertOpen
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
                text: view.page.lang(14)
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
                    text: view.page.insertLabel
                }
            }
            TextButton {
                objectName: "insertOk"
                x: 98; y: 100
                textValue: view.page.lang(7)
                onClicked: view.page.closeInsertKey(true)
            }
        }
    }
}
