// The overlays: the five pages over the mask (macro editor, gun editor, system settings, key
// assignment, profiles), the factory reset confirmation, the busy indicator and the help menu.
// Each page's data and functions exist from the start; its controls are built on first open.
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
    required property QtObject keyNames // the key-name table (KeyCodeString)
    property bool isGun: true
    property string language

    MacroEditor {
        id: macroEditorMain
        mask: overlays.mask
        keyNames: overlays.keyNames
        keyAssignment: keyAssigmentMain
        onDeleteMacro: function (macroName) {
            var keys = macroKeys(macroName)
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
            var keys = macroKeys(oldMacroName)
            for (var i = 0; i < keys.length; ++i) {
                var key = overlays.keyMatrix.modKeys.get(keys[i])
                ui_View.setData("mouseMacroKey/" + key.keyCode2, newMacroName)
                overlays.keyMatrix.modKeys.setProperty(keys[i], "keyText", newMacroName)
            }
            ui_View.modifyMacroNameUpdateProfile(oldMacroName, newMacroName)
        }
        onModifyMacroData: function (macroName) {
            var keys = macroKeys(macroName)
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
        onLanguageChosen: function (code) { chooseLanguage(code) }
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
            if (!visible)
                overlays.mousePicture.selectKey = -1
        }
    }

    Profile {
        id: profileMain
        objectName: "profileMain"
        mask: overlays.mask
        topBarProfiles: overlays.topBarProfiles
        onChangeProfile: function (tmpProfileNo) { switchProfile(tmpProfileNo) }
        onCurrentProfileLoaded: reloadProfilePages()
    }

    PanelFrame {
        id: factorysure
        objectName: "factorysure"
        width: 427
        height: 102
        visible: false
        showClose: false
        color: Theme.colorGray0
        titleText: langText(mainLang, 5)

        Text {
            x: 16
            y: 12
            text: langText(mainLang, 6)
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
                textValue: langText(mainLang, 7)
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
                textValue: langText(mainLang, 8)
                onClicked: resetFactory()
            }
        }
    }

    BusyIndicator {
        id: protectUIItem
        objectName: "protectUIItem"
        anchors.horizontalCenter: parent.horizontalCenter
        y: powerOnLogo.visible ? powerOnLogo.y + powerOnLogo.height + 16
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
                    color: askArea.containsMouse ? colorOrange : "transparent"
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
                        onClicked: askMenuCmd(askRow.index)
                    }
                }
            }
        }
    }
}
