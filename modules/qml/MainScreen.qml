// The main screen: the backdrop, the key list, the editor and report-rate panels, the bottom
// buttons, the DPI and lighting panels, the top bar, the mouse picture and the mask behind the
// overlays. What it shows from the root and works with from the overlays comes in through its
// properties; what the user asks of it leaves as signals, which main.qml answers. main.qml names
// its items on the root.
import QtQuick
import modules.qml

Item {
    id: mainScreen
    property var mainLang: []
    property bool isGun: true
    property bool isColorful: false
    // The assignment page names the key rows, and while it is open its button stays lit; the
    // macro editor sends the factory macros a key reset puts back.
    required property KeyAssigment keyAssignment
    required property MacroEditor macroEditor

    signal keyAssignmentRequested(int index)
    signal macroEditorRequested
    signal gunEditorRequested
    signal systemSettingRequested
    signal profilesRequested
    signal resetRequested
    signal saveRequested
    signal helpRequested
    signal maskPressed // the pages over the mask close their menus

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
            keyCount: mouseMain.keyCount
            selectKey: mouseMain.selectKey
            assignmentText: function (code0, code1, code2, code3) {
                return mainScreen.keyAssignment.keyCodeToString(code0, code1, code2, code3)
            }
            onEnterBtn: function (index) { mouseMain.selectKey = index }
            onLeaveBtn: function (index) {
                if (!mainScreen.keyAssignment.visible)
                    mouseMain.selectKey = -1
            }
            onClickBtn: function (index) {
                if (!keyMatrixMain.modKeys.checkOneLeftKey())
                    mainScreen.keyAssignmentRequested(index)
            }
            onFactoryMacroRestored: function (index, macroName) {
                mainScreen.macroEditor.sendMacro(index, macroName)
            }
        }

        SectionPanel {
            id: editorPanel
            objectName: "editorPanel"
            titleText: Values.langText(mainScreen.mainLang, 0)
            height: mainScreen.isGun ? 100 : 76
            Column {
                x: 8
                spacing: 8
                TextButton {
                    objectName: "macroEditorOpenBtn"
                    width: 216
                    textValue: Values.langText(mainScreen.mainLang, 1)
                    normalColor: "transparent"
                    textAlign: Text.AlignLeft
                    onClicked: mainScreen.macroEditorRequested()
                }
                TextButton {
                    objectName: "gunEditorOpenBtn"
                    width: 216
                    visible: mainScreen.isGun
                    textValue: Values.langText(mainScreen.mainLang, 2)
                    normalColor: "transparent"
                    textAlign: Text.AlignLeft
                    onClicked: mainScreen.gunEditorRequested()
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
                var index = Values.intSetting(ui_View.getData("mouse/reportRate", false), 0)
                reportRateList.currentSelect = index
                if (isSendData)
                    ui_View.mouseSetReportRate(reportRateRect.rateCode(index))
            }
            function closeMenu() {
                reportRateList.closeMenu()
            }

            Text {
                x: 12
                anchors.verticalCenter: parent.verticalCenter
                text: Values.langText(mainScreen.mainLang, 3)
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
            textValue: Values.langText(mainScreen.mainLang, 9)
            normalColor: Theme.colorBlack
            onClicked: mainScreen.systemSettingRequested()
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
            textValue: Values.langText(mainScreen.mainLang, 4)
            onClicked: mainScreen.profilesRequested()
        }
        TextButton {
            id: resetBtn
            objectName: "resetBtn"
            textValue: Values.langText(mainScreen.mainLang, 5)
            onClicked: mainScreen.resetRequested()
        }
        TextButton {
            id: saveBtn
            objectName: "saveBtn"
            textValue: Values.langText(mainScreen.mainLang, 10)
            normalColor: keyMatrixMain.isSave || dpiSettingMain.isSave || lightControlMain.isSave
                         ? "#ff3030" : Theme.colorBlue
            onClicked: mainScreen.saveRequested()
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
            isColorful: mainScreen.isColorful
            dpiCount: dpiSettingMain.dpiCount
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
                mainScreen.helpRequested()
            }
        }
    }

    Mouse {
        id: mouseMain
        objectName: "mouseMain"
        visible: false
        assignmentOpen: mainScreen.keyAssignment.visible
        onClickBtn: function (index) { mainScreen.keyAssignmentRequested(index) }
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
                mainScreen.maskPressed()
                if (lightControlMain.visible)
                    lightControlMain.lightControlFocus()
            }
        }
    }
}
