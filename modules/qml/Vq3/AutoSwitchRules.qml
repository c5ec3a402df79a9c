pragma ComponentBehavior: Bound
// The applications that switch to a profile while their window is in front (the profile
// page's selected entry): the list, "Add the application in front" with a countdown that leaves
// time to click into the application, and Remove. The rules live in the profile file; the
// bridge (ui_AutoSwitch) reads and writes them and follows the window in front.
import QtQuick
import modules.qml

Item {
    id: rules
    objectName: "autoSwitchRules"
    property int profileNo: -1 // the profile whose rules are shown; -1: none
    property string language // the program's language: the texts follow it
    property var lang: ui_View.getLangStrings("autoSwitch", rules.language)
    property var names: []
    property int countdown: 0 // seconds left before the application in front is taken
    // The profile the countdown adds to: the one selected at the click, whatever switch the
    // application in front brings meanwhile.
    property int captureProfile: -1
    property bool notFound: false
    readonly property int rowHeight: 22
    height: listFrame.y + listFrame.height + 8 + addButton.height + 4 + noticeText.height

    function reload() {
        names = typeof ui_AutoSwitch !== "undefined" && profileNo >= 0
                ? Array.from(ui_AutoSwitch.applications(profileNo)) : []
    }
    function startCapture() {
        if (countdown > 0 || profileNo < 0)
            return
        notFound = false
        captureProfile = profileNo
        ui_AutoSwitch.watchApplications()
        countdown = 3
        countdownTimer.start()
    }
    function finishCapture() {
        var name = ui_AutoSwitch.takeApplicationInFront()
        notFound = name === ""
        if (!notFound)
            ui_AutoSwitch.addApplication(captureProfile, name)
        captureProfile = -1
        reload()
    }

    onProfileNoChanged: reload()
    onVisibleChanged: {
        if (visible)
            reload()
    }

    Timer {
        id: countdownTimer
        interval: 1000
        repeat: true
        onTriggered: {
            --rules.countdown
            if (rules.countdown > 0)
                return
            stop()
            rules.finishCapture()
        }
    }

    Text {
        id: caption
        text: Values.langText(rules.lang, 0)
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }

    Rectangle {
        id: listFrame
        y: caption.height + 4
        width: parent.width
        height: 3 * rules.rowHeight + 8
        radius: 4
        color: Qt.rgba(0, 0, 0, 0.35)
        border.color: Theme.colorGray1
        ListView {
            id: nameList
            objectName: "autoSwitchList"
            x: 4
            y: 4
            width: parent.width - 8
            height: parent.height - 8
            clip: true
            model: rules.names
            delegate: Item {
                id: nameRow
                required property int index
                required property string modelData
                width: nameList.width
                height: rules.rowHeight
                Text {
                    x: 8
                    width: parent.width - removeButton.width - 16
                    anchors.verticalCenter: parent.verticalCenter
                    text: nameRow.modelData
                    elide: Text.ElideRight
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
                }
                TextButton {
                    id: removeButton
                    objectName: "autoSwitchRemoveBtn" + nameRow.index
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    width: 72
                    height: rules.rowHeight - 4
                    textValue: Values.langText(rules.lang, 3)
                    onClicked: {
                        ui_AutoSwitch.removeApplication(rules.profileNo, nameRow.modelData)
                        rules.reload()
                    }
                }
            }
        }
    }

    TextButton {
        id: addButton
        objectName: "autoSwitchAddBtn"
        y: listFrame.y + listFrame.height + 8
        width: 240
        textValue: rules.countdown > 0
                   ? Values.langText(rules.lang, 2).replace("%1", rules.countdown)
                   : Values.langText(rules.lang, 1)
        onClicked: rules.startCapture()
    }
    Text {
        anchors.left: addButton.right
        anchors.leftMargin: 12
        anchors.right: parent.right
        anchors.verticalCenter: addButton.verticalCenter
        visible: rules.notFound
        text: Values.langText(rules.lang, 5)
        elide: Text.ElideRight
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
        color: Theme.fontColor
    }
    Text {
        id: noticeText
        objectName: "autoSwitchNotice"
        y: addButton.y + addButton.height + 4
        width: parent.width
        height: visible ? implicitHeight : 0
        visible: typeof ui_AutoSwitch !== "undefined" && !ui_AutoSwitch.coversAllWindows()
        text: Values.langText(rules.lang, 4)
        wrapMode: Text.WordWrap
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
        color: Theme.fontColor
    }
}
