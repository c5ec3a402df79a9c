// Window dragging: the window system moves the window when it can (Wayland allows no other
// way); otherwise every move offsets the window by the distance from the press point.
import QtQuick

MouseArea {
    property point pressPoint
    property bool systemMove: false
    signal pressedAt
    anchors.fill: parent
    onPressed: function (mouse) {
        pressPoint = Qt.point(mouse.x, mouse.y)
        systemMove = mouse.button === Qt.LeftButton && ui_Ctl.startSystemMove()
        pressedAt()
    }
    onPositionChanged: function (mouse) {
        if (!pressed || systemMove)
            return
        ui_Ctl.onXChanged(mouse.x - pressPoint.x)
        ui_Ctl.onYChanged(mouse.y - pressPoint.y)
    }
}
