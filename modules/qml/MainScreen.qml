// The main screen: the backdrop, the key list, the editor and report-rate panels, the bottom
// buttons, the DPI and lighting panels, the top bar, the mouse picture and the mask behind the
// overlays. Its items keep the ids the pages use; main.qml names them on the root.
import QtQuick
import modules.qml

Item {
    id: mainScreen
    property alias envItem: envItem
    property alias panelleft: panelleft
    property alias keyMatrixMain: keyMatrixMain
    property alias reportRateRect: reportRateRect
    property alias bottomBar: bottomBar
    property alias panelRight: panelRight
    property alias dpiSettingMain: dpiSettingMain
    property alias lightControlMain: lightControlMain
    property alias upItem: upItem
    property alias mouseMain: mouseMain
    property alias mainMask: mainMask

    Environment {
        id: envItem
        objectName: "envItem"
        anchors.fill: parent
        visible: false
    }

    Column {
        id: panelleft
        objectName: "panelleft"
        x: 24
        y: 88
        spacing: 8
        visible: false

        KeyMatrix {
            id: keyMatrixMain
            objectName: "keyMatrixMain"
            onEnterBtn: function (index) { mouseMain.selectKey = index }
            onLeaveBtn: function (index) {
                if (!keyAssigmentMain.visible)
                    mouseMain.selectKey = -1
            }
            onClickBtn: function (index) {
                if (!keyMatrixMain.modKeys.checkOneLeftKey())
                    openKeyAssigment(index)
            }
        }

        SectionPanel {
            id: editorPanel
            objectName: "editorPanel"
            titleText: langText(mainLang, 0)
            height: isGun ? 100 : 76
            Column {
                x: 8
                spacing: 8
                TextButton {
                    objectName: "macroEditorOpenBtn"
                    width: 216
                    textValue: langText(mainLang, 1)
                    normalColor: "transparent"
                    textAlign: Text.AlignLeft
                    onClicked: openPage(macroEditorMain, true)
                }
                TextButton {
                    objectName: "gunEditorOpenBtn"
                    width: 216
                    visible: isGun
                    textValue: langText(mainLang, 2)
                    normalColor: "transparent"
                    textAlign: Text.AlignLeft
                    onClicked: {
                        gunControlMain.gunListIndex = gunControlMain.selectGun1
                        openPage(gunControlMain, true)
                    }
                }
            }
        }

        Rectangle {
            id: reportRateRect
            objectName: "reportRateRect"
            width: 232
            height: 42
            radius: 4
            color: Qt.rgba(0, 0, 0, 0.55)
            border.color: Theme.colorGray1

            // List index to the rate code the device takes.
            function rateCode(index) {
                return index === 0 ? 8 : index === 1 ? 4 : index === 2 ? 2 : 1
            }
            function init(isSendData) {
                var index = intSetting(ui_View.getData("mouse/reportRate", false), 0)
                reportRateList.currentSelect = index
                if (isSendData)
                    ui_View.mouseSetReportRate(rateCode(index))
            }
            function closeMenu() {
                reportRateList.closeMenu()
            }

            Text {
                x: 12
                anchors.verticalCenter: parent.verticalCenter
                text: langText(mainLang, 3)
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontMiddleSize
                font.bold: true
                color: Theme.fontColor
            }
            DropDownList {
                id: reportRateList
                objectName: "reportRateList"
                anchors.right: parent.right
                anchors.rightMargin: 9
                anchors.verticalCenter: parent.verticalCenter
                width: 120
                dropUp: true
                mdItems: ListModel {
                    ListElement { textValue: "125Hz" }
                    ListElement { textValue: "250Hz" }
                    ListElement { textValue: "500Hz" }
                    ListElement { textValue: "1000Hz" }
                }
                onValueChange: function (index) {
                    ui_View.setData("mouse/reportRate", index)
                    ui_View.mouseSetReportRate(reportRateRect.rateCode(index))
                }
            }
        }

        TextButton {
            objectName: "systemSettingOpenBtn"
            width: 232
            textValue: langText(mainLang, 9)
            normalColor: Theme.colorBlack
            onClicked: openPage(systemSettingMain, true)
        }
    }

    Row {
        id: bottomBar
        objectName: "bottomBar"
        anchors.right: parent.right
        anchors.rightMargin: 24
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 8
        spacing: 16
        visible: false

        TextButton {
            id: configBtn
            objectName: "configBtn"
            textValue: langText(mainLang, 4)
            onClicked: openPage(profileMain, true)
        }
        TextButton {
            id: resetBtn
            objectName: "resetBtn"
            textValue: langText(mainLang, 5)
            onClicked: {
                factorysure.x = (mainIten.width - factorysure.width) / 2
                factorysure.y = (mainIten.height - factorysure.height) / 2
                factorysure.visible = true
                mainMask.visible = true
                mainFocus()
            }
        }
        TextButton {
            id: saveBtn
            objectName: "saveBtn"
            textValue: langText(mainLang, 10)
            normalColor: keyMatrixMain.isSave || dpiSettingMain.isSave || lightControlMain.isSave
                         ? "#ff3030" : Theme.colorBlue
            onClicked: saveAll()
        }
    }

    Column {
        id: panelRight
        objectName: "panelRight"
        x: 768
        y: 56
        spacing: 8
        visible: false

        DpiSetting {
            id: dpiSettingMain
            objectName: "dpiSettingMain"
        }
        LightControl {
            id: lightControlMain
            objectName: "lightControlMain"
        }
    }

    Menu_Up {
        id: upItem
        objectName: "upItem"
        x: 920
        y: 16
        visible: false
        onBtnClicked: function (btnIndex) {
            if (btnIndex === 0) {
                ui_Ctl.onMinimize()
            } else if (btnIndex === 1) {
                ui_Ctl.onClose()
            } else {
                mainFocus()
                askMenu.visible = true
            }
        }
    }

    Connections {
        target: upItem.profileBtn
        // The row's stored profile number, not the row, names the profile.
        function onValueChange(index) {
            var number = profileMain.numberOfRow(index)
            if (number >= 0)
                profileMain.changeProfile(number)
        }
    }

    Mouse {
        id: mouseMain
        objectName: "mouseMain"
        visible: false
        onClickBtn: function (index) { openKeyAssigment(index) }
    }

    Rectangle {
        id: mainMask
        objectName: "mainMask"
        anchors.fill: parent
        color: "#90000000"
        visible: false
        DragArea {
            hoverEnabled: true // the controls under the mask stay unlit
            onPressedAt: {
                if (macroEditorMain.visible)
                    macroEditorMain.macroEditorFocus()
                if (profileMain.visible)
                    profileMain.profileFocus()
                if (gunControlMain.visible)
                    gunControlMain.gunControlFocus()
                if (lightControlMain.visible)
                    lightControlMain.lightControlFocus()
                if (systemSettingMain.visible)
                    systemSettingMain.systemSettingFocus()
            }
        }
    }
}
