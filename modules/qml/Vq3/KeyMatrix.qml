// Key function list of the main screen. UNFINISHED: shows the buttons with their built-in
// assignments and carries the entry points the main window uses; reading and saving the
// profile's assignments is built later.
import QtQuick
import "../basic"

SectionPanel {
    id: keyMatrix
    titleText: mainIten.langText(keyMatrixLang, 1)
    height: 34 + rows.height + 8

    property var keyMatrixLang: ["Key ", "Key Function"]
    property bool isSave: false
    property int selectIndex: -1
    property alias modKeys: keyModel
    property alias modKeys_tmp: keyModelTmp

    signal enterBtn(int index)
    signal leaveBtn(int index)
    signal clickBtn(int index)

    function init(isSendData, isRecovery) {}

    KeyMatrixModel {
        id: keyModel
        function saveData() {}
        // True when exactly one button is the left button and the selected button is that one.
        function checkOneLeftKey() {
            var lefts = []
            for (var i = 0; i < count; ++i) {
                var k = get(i)
                if (k.keyCode0 === 0 && k.keyCode2 === 0xF0)
                    lefts.push(i)
            }
            return lefts.length === 1 && lefts[0] === keyMatrix.selectIndex
        }
    }
    KeyMatrixModel {
        id: keyModelTmp
    }

    Column {
        id: rows
        x: 8
        width: parent.width - 16
        spacing: 2
        Repeater {
            model: keyModel
            delegate: Rectangle {
                id: row
                required property int index
                required property string keyText
                width: rows.width
                height: 24
                visible: index < Math.min(14, mouseMain.keyCount)
                radius: 2
                color: rowArea.containsMouse ? mainIten.colorOrange
                                             : (index % 2 ? "transparent" : Qt.rgba(1, 1, 1, 0.04))
                Text {
                    x: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: mainIten.langText(keyMatrix.keyMatrixLang, 0) + (row.index + 1)
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    color: mainIten.colorGray3
                }
                Text {
                    anchors.right: parent.right
                    anchors.rightMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.keyText
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    color: mainIten.fontColor
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onEntered: keyMatrix.enterBtn(row.index)
                    onExited: keyMatrix.leaveBtn(row.index)
                    onClicked: {
                        keyMatrix.selectIndex = row.index
                        keyMatrix.clickBtn(row.index)
                    }
                }
            }
        }
    }
}
