// The overlays: the five pages over the mask (macro editor, gun editor, system settings, key
// assignment, profiles), the factory reset confirmation, the busy indicator and the help menu.
// Each page's data and functions exist from the start; its controls are built on first open.
// What they work with from the main screen and the root comes in through the properties here;
// what the root does for them (a profile switch, a reset, the language) leaves as signals.
pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

Item {
    id: overlays
    property alias macroEditorMain: macroEditorMain
    property alias gunControlMain: gunControlMain
    property alias systemSettingMain: systemSettingMain
    property alias keyAssigmentMain: keyAssigmentMain
    property alias profileMain: profileMain
    property alias factorysure: factorysure
    property alias protectUIItem: protectUIItem
    property alias askMenu: askMenu
    property alias askModel: askModel

    // What the pages work with from the main screen and the root.
    required property Item mask
    required property KeyMatrix keyMatrix
    required property Mouse mousePicture
    required property DropDownList topBarProfiles
    required property KeyCodeString keyNames
    required property Item startLogo // the busy indicator sits under it while it shows
    property bool isGun: true
    property string language
    property var mainLang: []

    signal languageChosen(string code)
    signal profileChosen(int profileNo)  // a switch to the profile with this stored number
    signal profileLoaded                 // the current profile was read again from its files
    signal resetConfirmed
    signal helpCommand(int cmd)          // a row of the help menu: 0 the support site

    // Closes the menus of the pages open over the mask (a press on the mask).
    function closePageMenus() {
        if (macroEditorMain.visible)
            macroEditorMain.macroEditorFocus()
        if (profileMain.visible)
            profileMain.profileFocus()
        if (gunControlMain.visible)
            gunControlMain.gunControlFocus()
        if (systemSettingMain.visible)
            systemSettingMain.systemSettingFocus()
    }

    // Closes the reset confirmation, else the front page (the way its close button does);
    // false when none is open.
    function closeFront() {
        if (factorysure.visible) {
            factorysure.visible = false
            overlays.mask.visible = false
            return true
        }
        var pages = [profileMain, keyAssigmentMain, systemSettingMain, gunControlMain,
                     macroEditorMain]
        for (var i = 0; i < pages.length; ++i) {
            if (!pages[i].visible)
                continue
            if (typeof pages[i].closeClicked === "function") {
                pages[i].closeClicked()
            } else {
                pages[i].visible = false
                overlays.mask.visible = false
            }
            return true
        }
        return false
    }

    // A key the keyboard hook reported: to the recording or the key capture that waits for one.
    function detectKeyboard(isDown, usbCode) {
        var macroSelected = macroEditorMain.currentMacro !== -1
        if (macroEditorMain.isInputting && macroSelected)
            macroEditorMain.detectKeyboard(isDown, usbCode)
        if (macroEditorMain.isInsertting && macroSelected)
            macroEditorMain.detectInput(isDown, usbCode)
        if (keyAssigmentMain.isFireInput)
            keyAssigmentMain.detectKeyboard(isDown, usbCode, 0)
        if (keyAssigmentMain.isComboInput)
            keyAssigmentMain.detectKeyboard(isDown, usbCode, 1)
    }

    // The top bar's list: the row's stored profile number, not the row, names the profile.
    Connections {
        target: overlays.topBarProfiles
        function onValueChange(index) {
            var number = profileMain.numberOfRow(index)
            if (number >= 0)
                profileMain.changeProfile(number)
        }
    }

    MacroEditor {
        id: macroEditorMain
        mask: overlays.mask
        keyNames: overlays.keyNames
        onDeleteMacro: function (macroName) {
            var keys = overlays.keyMatrix.macroKeys(macroName)
            for (var i = 0; i < keys.length; ++i) {
                var k = keys[i]
                var factory = overlays.keyMatrix.modKeys_tmp.get(k)
                overlays.keyMatrix.modKeys.set(k, { "keyCode0": factory.keyCode0,
                                               "keyCode1": factory.keyCode1,
                                               "keyCode2": factory.keyCode2,
                                               "keyCode3": factory.keyCode3,
                                               "keyText": factory.keyText })
            }
            if (keys.length > 0)
                overlays.keyMatrix.modKeys.saveData()
            ui_View.deleteMacroUpdateProfile(macroName)
        }
        onModifyMacroName: function (oldMacroName, newMacroName) {
            var keys = overlays.keyMatrix.macroKeys(oldMacroName)
            for (var i = 0; i < keys.length; ++i) {
                var key = overlays.keyMatrix.modKeys.get(keys[i])
                ui_View.setData("mouseMacroKey/" + key.keyCode2, newMacroName)
                overlays.keyMatrix.modKeys.setProperty(keys[i], "keyText", newMacroName)
            }
            ui_View.modifyMacroNameUpdateProfile(oldMacroName, newMacroName)
        }
        onModifyMacroData: function (macroName) {
            var keys = overlays.keyMatrix.macroKeys(macroName)
            for (var i = 0; i < keys.length; ++i)
                macroEditorMain.sendMacro(keys[i], macroName)
        }
    }

    GunControl {
        id: gunControlMain
        mask: overlays.mask
        keyMatrix: overlays.keyMatrix
    }

    SystemSetting {
        id: systemSettingMain
        mask: overlays.mask
        language: overlays.language
        onLanguageChosen: function (code) { overlays.languageChosen(code) }
    }

    KeyAssigment {
        id: keyAssigmentMain
        objectName: "keyAssigmentMain"
        mask: overlays.mask
        keyMatrix: overlays.keyMatrix
        macroEditor: macroEditorMain
        mousePicture: overlays.mousePicture
        keyNames: overlays.keyNames
        isGun: overlays.isGun
        // The button it was opened on stays lit in the mouse picture only while it is open.
        onVisibleChanged: {
            if (!keyAssigmentMain.visible)
                overlays.mousePicture.selectKey = -1
        }
    }

    Profile {
        id: profileMain
        objectName: "profileMain"
        mask: overlays.mask
        topBarProfiles: overlays.topBarProfiles
        language: overlays.language
        onChangeProfile: function (tmpProfileNo) { overlays.profileChosen(tmpProfileNo) }
        onCurrentProfileLoaded: overlays.profileLoaded()
    }

    PanelFrame {
        id: factorysure
        objectName: "factorysure"
        width: 427
        height: 102
        visible: false
        showClose: false
        color: Theme.colorGray0
        titleText: Values.langText(overlays.mainLang, 5)

        Text {
            x: 16
            y: 12
            text: Values.langText(overlays.mainLang, 6)
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
        }
        Row {
            anchors.right: parent.right
            anchors.rightMargin: 16
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 10
            spacing: 16
            TextButton {
                id: cancelBtn
                objectName: "cancelBtn"
                width: 88
                height: 25
                textValue: Values.langText(overlays.mainLang, 7)
                normalColor: Theme.colorGray1
                onClicked: {
                    factorysure.visible = false
                    overlays.mask.visible = false
                }
            }
            TextButton {
                id: okBtn
                objectName: "okBtn"
                width: 88
                height: 25
                textValue: Values.langText(overlays.mainLang, 8)
                onClicked: overlays.resetConfirmed()
            }
        }
    }

    BusyIndicator {
        id: protectUIItem
        objectName: "protectUIItem"
        anchors.horizontalCenter: parent.horizontalCenter
        y: overlays.startLogo.visible ? overlays.startLogo.y + overlays.startLogo.height + 16
           : (parent.height - height) / 2
        z: 99
    }

    Rectangle {
        id: askMenu
        objectName: "askMenu"
        anchors.right: parent.right
        anchors.rightMargin: 300
        y: 30
        width: 200
        height: askColumn.height + 2
        visible: false
        color: Theme.colorGray0
        border.color: Theme.colorGray1
        z: 100

        Column {
            id: askColumn
            x: 1
            y: 1
            Repeater {
                model: ListModel {
                    id: askModel
                    ListElement { textValue: "" }
                    ListElement { textValue: "verison:1.0" }
                }
                delegate: Rectangle {
                    id: askRow
                    required property int index
                    required property string textValue
                    width: 198
                    height: 24
                    color: askArea.containsMouse ? Theme.colorOrange : "transparent"
                    Text {
                        x: 8
                        width: parent.width - 16
                        anchors.verticalCenter: parent.verticalCenter
                        text: askRow.textValue
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                        color: Theme.fontColor
                        elide: Text.ElideMiddle
                    }
                    MouseArea {
                        id: askArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: overlays.helpCommand(askRow.index)
                    }
                }
            }
        }
    }
}
