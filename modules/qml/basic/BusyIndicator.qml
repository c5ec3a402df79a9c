// Busy indicator: a pulsing "LOADING ......" shown while the scene is protected.
import QtQuick

Item {
    id: busyIndicator
    property bool isBusy: false

    function setBusy(busy) {
        isBusy = busy
    }

    width: busyText.implicitWidth
    height: busyText.implicitHeight
    visible: isBusy

    Text {
        id: busyText
        text: qsTr("LOADING ......")
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMaxSize
        color: Theme.fontColor

        SequentialAnimation on opacity {
            running: busyIndicator.isBusy
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
