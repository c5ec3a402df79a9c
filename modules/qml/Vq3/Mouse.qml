// The device picture: a front and a side view (toggled by the two images under it) with the
// numbered labels of buttons 1 to keyCount. Hovering a label lights its button here and its row
// in the key list; clicking it opens the assignment panel (with no last-left-button check).
pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

Item {
    id: mousePage
    property int keyCount: 8
    property int selectKey: -1
    property bool isSide: false
    // The assignment panel is open: the button it edits stays lit, in its selected picture.
    property bool assignmentOpen: false
    signal clickBtn(int index)

    // Label centres in picture coordinates, button 0 first: front view, then side view.
    readonly property var frontPlaces: [[116, 104], [244, 104], [210, 83], [24, 211], [24, 263],
                                        [210, 130], [210, 152], [26, 151]]
    // Labels 1 and 8 sit on their own buttons (the left button's band, the fire button), clear
    // of the forward and back buttons beside them.
    readonly property var sidePlaces: [[115, 186], [90, 150], [176, 126], [127, 246],
                                       [187, 244], [206, 126], [236, 126], [77, 230]]

    width: 1024
    height: 640

    Image {
        id: picture
        anchors.horizontalCenter: parent.horizontalCenter
        y: 72
        source: mousePage.isSide ? Theme.sourceMouseSide : Theme.sourceMouseFront
    }
    Image {
        anchors.fill: picture
        visible: mousePage.selectKey >= 0 && mousePage.selectKey < 8
        source: visible ? Theme[(mousePage.isSide ? "sourceMouseSide" : "sourceMouse")
                                   + mousePage.selectKey + (mousePage.assignmentOpen ? "S" : "")]
                              : ""
    }
    Repeater {
        model: Math.min(8, mousePage.keyCount)
        delegate: Rectangle {
            id: label
            required property int index
            readonly property var place: (mousePage.isSide ? mousePage.sidePlaces : mousePage.frontPlaces)[index]
            objectName: "mouseLabel" + index
            x: picture.x + place[0] - width / 2
            y: picture.y + place[1] - height / 2
            width: 20
            height: 20
            radius: 10
            color: mousePage.selectKey === index || labelArea.containsMouse ? Theme.colorOrange
                                                                        : Theme.colorGray0
            border.color: Theme.colorGray3
            Text {
                anchors.centerIn: parent
                text: label.index + 1
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                font.bold: true
                color: Theme.fontColor
            }
            MouseArea {
                id: labelArea
                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onEntered: mousePage.selectKey = label.index
                onExited: {
                    if (!mousePage.assignmentOpen)
                        mousePage.selectKey = -1
                }
                onClicked: mousePage.clickBtn(label.index)
            }
        }
    }
    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: picture.bottom
        anchors.topMargin: 12
        spacing: 16
        ImageButton {
            normalSource: mousePage.isSide ? Theme.sourceLightBtn : Theme.sourceLightBtnS
            hoverSource: Theme.sourceLightBtnS
            onClicked: mousePage.isSide = false
        }
        ImageButton {
            normalSource: mousePage.isSide ? Theme.sourceMouseSidebtnS : Theme.sourceMouseSidebtnN
            hoverSource: mousePage.isSide ? Theme.sourceMouseSidebtnS : Theme.sourceMouseSidebtnH
            onClicked: mousePage.isSide = true
        }
    }
}
