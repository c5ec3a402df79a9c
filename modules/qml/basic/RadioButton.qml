// A radio button with a caption; a click selects it and reports its index (the page clears
// the other buttons of the group).
import QtQuick

Item {
    id: radioButton
    property string textValue
    property bool isSelect: false
    property int index: 0
    property int gapValue: 16
    signal btnClick(int index)

    width: ring.width + gapValue + caption.implicitWidth
    height: 20

    Rectangle {
        id: ring
        anchors.verticalCenter: parent.verticalCenter
        width: 14
        height: 14
        radius: 7
        color: Theme.colorGray0
        border.color: radioButton.isSelect ? Theme.colorOrange : Theme.colorGray2
        Rectangle {
            anchors.centerIn: parent
            width: 6
            height: 6
            radius: 3
            color: Theme.colorOrange
            visible: radioButton.isSelect
        }
    }
    Text {
        id: caption
        x: ring.width + radioButton.gapValue
        anchors.verticalCenter: parent.verticalCenter
        text: radioButton.textValue
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }
    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: {
            radioButton.isSelect = true
            radioButton.btnClick(radioButton.index)
        }
    }
}
