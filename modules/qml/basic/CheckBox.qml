// A check box with a caption; a click reports the box's index and then toggles it.
import QtQuick

Rectangle {
    id: checkBox
    property string textValue
    property bool isSelect: false
    property int index: 0
    property int gapValue: 8
    property color bgColor: "transparent"
    signal btnClick(int index)

    width: box.width + gapValue + caption.implicitWidth
    height: 20
    color: bgColor

    Rectangle {
        id: box
        anchors.verticalCenter: parent.verticalCenter
        width: 14
        height: 14
        radius: 2
        color: Theme.colorGray0
        border.color: checkBox.isSelect ? Theme.colorOrange : Theme.colorGray2
        Image {
            anchors.centerIn: parent
            source: Theme.sourceCheckBtn
            visible: checkBox.isSelect
        }
    }
    Text {
        id: caption
        x: box.width + checkBox.gapValue
        anchors.verticalCenter: parent.verticalCenter
        text: checkBox.textValue
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }
    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: {
            checkBox.btnClick(checkBox.index)
            checkBox.isSelect = !checkBox.isSelect
        }
    }
}
