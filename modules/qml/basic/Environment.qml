// The window's backdrop: background, title bar and the title logo in the top-left corner.
// The background and the title bar are small pictures in parts: their rounded borders are drawn
// at their own size and the rest stretched, which costs little memory and decodes at once; the
// thin rule near the bottom edge would blur when scaled, so it is drawn here instead.
import QtQuick

Item {
    id: backdrop
    width: 1024
    height: 640

    BorderImage {
        anchors.fill: parent
        border { left: 12; top: 12; right: 12; bottom: 12 }
        source: Theme.sourceBackground
    }
    // The rule: along the bottom at 600, down to 620 under the middle, with a red mark there.
    Repeater {
        // x, y, length, angle
        model: [[0, 600, 260, 0], [260, 600, 20 * Math.SQRT2, 45], [280, 620, 464, 0],
                [744, 620, 20 * Math.SQRT2, -45], [764, 600, 260, 0]]
        delegate: Rectangle {
            required property var modelData
            x: modelData[0]
            y: modelData[1]
            width: modelData[2]
            height: 1
            rotation: modelData[3]
            transformOrigin: Item.TopLeft
            antialiasing: modelData[3] !== 0
            color: Theme.colorGray1
        }
    }
    Rectangle {
        x: 430
        y: 619
        width: 164
        height: 2
        color: Theme.colorOrange
    }
    BorderImage {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        height: 48
        border { left: 302; right: 12 }
        source: Theme.sourceTitleBar
    }
    Image {
        x: 0
        y: 0
        source: Theme.sourceTitleLogo
    }
}
