// A horizontal slider: a 6-pixel track with a knob. Reports the knob position while it moves
// (valueChange) and when it comes to rest (valueChangeDelay); with isScale the knob snaps to the
// steps of segment and segmentValue is the step.
import QtQuick

Item {
    id: sliderButton
    property int segment: 10
    property int segmentValue: 0
    property bool isScale: false
    property url scaleSource: Theme.sourceScale // the scale drawn under the track with isScale
    readonly property real travel: Math.max(1, width - knob.width)
    readonly property alias knobX: knob.x
    signal valueChange(real x)
    signal valueChangeDelay(real x)

    function setRatioValue(r) {
        knob.x = Math.max(0, Math.min(1, r)) * travel
        valueChange(knob.x)
    }
    function setIndexValue(i, send) {
        segmentValue = Math.max(0, Math.min(segment, i))
        knob.x = segmentValue * travel / segment
        valueChange(knob.x)
        if (send)
            valueChangeDelay(knob.x)
    }
    function snap() {
        if (isScale)
            setIndexValue(Math.round(knob.x / travel * segment), false)
    }

    width: 160
    height: 16

    Rectangle {
        id: track
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width
        height: 6
        radius: 3
        color: Theme.colorGray1
        Rectangle {
            width: knob.x + knob.width / 2
            height: parent.height
            radius: 3
            color: Theme.colorOrange
        }
    }
    Image {
        anchors.top: track.bottom
        anchors.topMargin: 4
        width: parent.width
        source: sliderButton.scaleSource
        visible: sliderButton.isScale
    }
    Image {
        id: knob
        anchors.verticalCenter: parent.verticalCenter
        source: Theme.sourceSlide
    }
    MouseArea {
        anchors.fill: parent
        drag.target: knob
        drag.axis: Drag.XAxis
        drag.minimumX: 0
        drag.maximumX: sliderButton.travel
        onPressed: function (mouse) {
            knob.x = Math.max(0, Math.min(sliderButton.travel, mouse.x - knob.width / 2))
            sliderButton.valueChange(knob.x)
        }
        onPositionChanged: sliderButton.valueChange(knob.x)
        onReleased: {
            sliderButton.snap()
            sliderButton.valueChangeDelay(knob.x)
        }
    }
}
