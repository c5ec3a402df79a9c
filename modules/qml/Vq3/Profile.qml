// Profile page: up to six named profiles, kept as name list 2 of the name store (each string is
// the name followed by the profile number as one digit). The list model is shared with the
// profile drop-down of the top bar.
//
// An entry's stored number, never its row, names its profile file: switching, import, New and
// the selection all go through the number, so deleting an entry in the middle of the list
// cannot make a later choice reach another profile's file.
import QtQuick
import modules.qml

PanelFrame {
    id: profile
    width: 415
    height: 288 + autoSwitchRules.height + 12
    visible: false
    titleText: Values.langText(profileLang, 0)

    property var profileLang: ["config", "New", "Import", "Delete", "Export", "Standard"]
    property int profileNo: 0 // the active profile's number
    property alias profileDataModel0: profileModel
    property int selectedRow: 0
    property int editingRow: -1
    readonly property int maxProfiles: 6
    readonly property string listTerminator: "loadermarlow"
    property bool menuShown: false // the right-click menu of the selected entry
    // The mask behind the pages, hidden when this page closes.
    required property Item mask
    required property DropDownList topBarProfiles // the top bar's list of the same entries

    signal changeProfile(int tmpProfileNo)
    // An import replaced the current profile's file: its pages read it again.
    signal currentProfileLoaded

    onProfileNoChanged: selectNumber(profileNo)

    function numberOfRow(row) {
        return row >= 0 && row < profileModel.count ? profileModel.get(row).profileNo : -1
    }
    function rowOfNumber(number) {
        for (var i = 0; i < profileModel.count; ++i)
            if (profileModel.get(i).profileNo === number)
                return i
        return -1
    }
    function selectNumber(number) {
        var row = rowOfNumber(number)
        if (row >= 0)
            selectedRow = row
    }
    function hasName(name) {
        for (var i = 0; i < profileModel.count; ++i)
            if (profileModel.get(i).textValue === name)
                return true
        return false
    }
    // The top bar's drop-down shows the active profile's row.
    function syncTopBar() {
        topBarProfiles.currentSelect = rowOfNumber(profileNo)
    }

    function readStoredList() {
        if (typeof ui_View.getNameList !== "function")
            return []
        var stored = ui_View.getNameList(NameList.Profiles)
        if (!stored)
            return []
        var list = []
        for (var i = 0; i < stored.length; ++i)
            list.push(String(stored[i]))
        if (list.length === 2 && list[1] === listTerminator)
            list.pop()
        return list
    }
    function storeList() {
        var strings = []
        for (var i = 0; i < profileModel.count; ++i) {
            var entry = profileModel.get(i)
            strings.push(entry.textValue + entry.profileNo)
        }
        if (typeof ui_View.updataNameList === "function")
            ui_View.updataNameList(NameList.Profiles, strings)
    }

    function init() {
        profileMenuModel.setProperty(0, "textValue", Values.langText(profileLang, 3))
        profileMenuModel.setProperty(1, "textValue", Values.langText(profileLang, 4))
        profileModel.clear()
        var stored = readStoredList()
        // An entry needs a profile number 0..5 that no earlier entry has; others are dropped.
        for (var i = 0; i < stored.length && profileModel.count < maxProfiles; ++i) {
            var text = stored[i]
            var number = parseInt(text.charAt(text.length - 1))
            if (text.length === 0 || isNaN(number) || number >= maxProfiles
                    || rowOfNumber(number) >= 0)
                continue
            profileModel.append({ "textValue": text.substring(0, text.length - 1),
                                  "profileNo": number })
        }
        if (profileModel.count === 0)
            profileModel.append({ "textValue": "", "profileNo": 0 })
        profileModel.setProperty(0, "textValue", Values.langText(profileLang, 5))
        storeList()
        selectNumber(profileNo)
    }

    // Steps shared by New and Import: a free name and number, appended and selected. Returns the
    // number, or -1 when all six are in use.
    function addEntry() {
        if (profileModel.count >= maxProfiles)
            return -1
        var n = 0
        while (n < 12 && hasName("profile_" + n))
            ++n
        var number = 0
        while (rowOfNumber(number) >= 0)
            ++number
        profileModel.append({ "textValue": "profile_" + n, "profileNo": number })
        selectedRow = profileModel.count - 1
        storeList()
        return number
    }

    function newProfile() {
        var number = addEntry()
        if (number >= 0)
            ui_View.resetProfile(number)
    }

    // Import goes into a new entry, or with six entries into the selected one. A cancelled or
    // refused import takes the new entry back.
    function importProfile() {
        var number = addEntry()
        var added = number >= 0
        if (!added)
            number = numberOfRow(selectedRow)
        if (ui_View.loadProfile(number)) {
            if (number === profileNo)
                currentProfileLoaded()
            return
        }
        if (added) {
            profileModel.remove(profileModel.count - 1)
            selectNumber(profileNo)
            storeList()
        }
    }

    function deleteSelected() {
        if (selectedRow <= 0 || numberOfRow(selectedRow) === profileNo)
            return
        profileModel.remove(selectedRow)
        selectNumber(profileNo)
        syncTopBar()
        storeList()
    }

    function renameRow(row, name) {
        editingRow = -1
        if (name.length === 0 || hasName(name))
            return
        profileModel.setProperty(row, "textValue", name)
        storeList()
    }

    function profileMenuCmd(cmd) {
        menuShown = false
        if (cmd === 0)
            deleteSelected()
        else if (cmd === 1)
            ui_View.saveProfile(profileNo)
        else if (cmd === 2)
            importProfile()
    }

    function profileFocus() {
        menuShown = false
        if (editingRow >= 0)
            profile.forceActiveFocus() // the open editor accepts on losing focus
    }

    onVisibleChanged: {
        if (visible)
            body.active = true
    }
    onBackgroundPressed: profileFocus()
    onCloseClicked: {
        profileFocus()
        profile.visible = false
        mask.visible = false
    }

    ListModel {
        id: profileModel
    }
    ListModel {
        id: profileMenuModel
        ListElement { textValue: "Delete" }
        ListElement { textValue: "Export" }
    }

    // The list and its buttons are built when the page first opens, and kept.
    // Built at start with the page's state, beside the controls built on first open.
    AutoSwitchRules {
        id: autoSwitchRules
        x: 16
        y: 6 * 28 + 28
        width: parent.width - 32
        profileNo: profile.numberOfRow(profile.selectedRow)
    }

    Loader {
        id: body
        anchors.fill: parent
        active: false
        sourceComponent: Item {
            Rectangle {
                x: 16
                y: 12
                width: parent.width - 32
                height: 6 * 28 + 8
                radius: 4
                color: Qt.rgba(0, 0, 0, 0.35)
                border.color: Theme.colorGray1

                ListView {
                    id: profileList
                    objectName: "profileList"
                    x: 4
                    y: 4
                    width: parent.width - 8
                    height: parent.height - 8
                    interactive: false
                    model: profileModel
                    delegate: Rectangle {
                        id: profileRow
                        required property int index
                        required property string textValue
                        required property int profileNo
                        width: profileList.width
                        height: 28
                        radius: 2
                        color: index === profile.selectedRow ? Theme.colorOrange
                               : rowArea.containsMouse ? Theme.colorGray1 : "transparent"
                        Text {
                            x: 12
                            anchors.verticalCenter: parent.verticalCenter
                            visible: profile.editingRow !== profileRow.index
                            text: profileRow.textValue
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontNormalSize
                            color: Theme.fontColor
                        }
                        Text {
                            anchors.right: parent.right
                            anchors.rightMargin: 12
                            anchors.verticalCenter: parent.verticalCenter
                            visible: profileRow.profileNo === profile.profileNo
                            text: "\u25cf"
                            font.pixelSize: Theme.fontMinSize
                            color: Theme.fontColor
                        }
                        MouseArea {
                            id: rowArea
                            anchors.fill: parent
                            hoverEnabled: true
                            acceptedButtons: Qt.LeftButton | Qt.RightButton
                            onPressed: function (mouse) {
                                profileFocus()
                                selectedRow = profileRow.index
                                if (mouse.button === Qt.RightButton) {
                                    var at = mapToItem(profile, mouse.x, mouse.y)
                                    profileMenu.x = Math.min(at.x, profile.width - profileMenu.width)
                                    profileMenu.y = Math.min(at.y, profile.height - profileMenu.height)
                                    profile.menuShown = true
                                }
                            }
                            onDoubleClicked: function (mouse) {
                                if (mouse.button === Qt.LeftButton)
                                    editingRow = profileRow.index
                            }
                        }
                        Loader {
                            x: 8
                            width: parent.width - 40
                            anchors.verticalCenter: parent.verticalCenter
                            active: profile.editingRow === profileRow.index
                            sourceComponent: Rectangle {
                                height: 22
                                color: Theme.colorGray0
                                border.color: Theme.colorOrange
                                TextInput {
                                    id: nameEditor
                                    objectName: "profileNameEditor"
                                    anchors.fill: parent
                                    anchors.leftMargin: 4
                                    verticalAlignment: TextInput.AlignVCenter
                                    text: profileRow.textValue
                                    maximumLength: 24
                                    font.family: Theme.fontFamily
                                    font.pixelSize: Theme.fontNormalSize
                                    color: Theme.fontColor
                                    selectionColor: Theme.colorOrange
                                    selectByMouse: true
                                    property bool done: false
                                    function accept() {
                                        if (done)
                                            return
                                        done = true
                                        profile.renameRow(profileRow.index, text.trim())
                                    }
                                    Component.onCompleted: {
                                        selectAll()
                                        forceActiveFocus()
                                    }
                                    onAccepted: accept()
                                    onActiveFocusChanged: {
                                        if (!activeFocus)
                                            accept()
                                    }
                                }
                            }
                        }
                    }
                }
            }

            Row {
                anchors.right: parent.right
                anchors.rightMargin: 16
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 16
                spacing: 16
                TextButton {
                    objectName: "profileNewBtn"
                    width: 88
                    textValue: Values.langText(profile.profileLang, 1)
                    onClicked: {
                        profile.profileFocus()
                        profile.newProfile()
                    }
                }
                TextButton {
                    objectName: "profileImportBtn"
                    width: 88
                    textValue: Values.langText(profile.profileLang, 2)
                    onClicked: {
                        profile.profileFocus()
                        profile.profileMenuCmd(2)
                    }
                }
            }

            Rectangle {
                id: profileMenu
                objectName: "profileMenu"
                width: 120
                height: menuColumn.height + 2
                visible: profile.menuShown
                z: 50
                color: Theme.colorGray0
                border.color: Theme.colorGray1
                Column {
                    id: menuColumn
                    x: 1
                    y: 1
                    Repeater {
                        model: profileMenuModel
                        delegate: Rectangle {
                            id: menuRow
                            required property int index
                            required property string textValue
                            width: 118
                            height: 24
                            color: menuArea.containsMouse ? Theme.colorOrange : "transparent"
                            Text {
                                x: 8
                                anchors.verticalCenter: parent.verticalCenter
                                text: menuRow.textValue
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontNormalSize
                                color: Theme.fontColor
                            }
                            MouseArea {
                                id: menuArea
                                anchors.fill: parent
                                hoverEnabled: true
                                onClicked: profile.profileMenuCmd(menuRow.index)
                            }
                        }
                    }
                }
            }
        }
    }
}
