// A header that slides open a slider; re-emits the slider's valueChange.
import QtQuick

Item {
    id: dropDownSlider
    property string textValue
    property bool isDrop: false
    property alias slider: sliderButton
    signal valueChange(real x)

    function closeMenu() {
        isDrop = false
    }

    width: 120
    height: 24
    z: isDrop ? 100 : 0

    DropHeader {
        width: parent.width
        textValue: dropDownSlider.textValue
        isDrop: dropDownSlider.isDrop
        onClicked: dropDownSlider.isDrop = !dropDownSlider.isDrop
    }
    Rectangle {
        y: 25
        width: parent.width
        height: dropDownSlider.isDrop ? 32 : 0
        visible: height > 0
        clip: true
        color: Theme.colorGray0
        border.color: Theme.colorGray1
        Behavior on height { NumberAnimation { duration: 120 } }

        SliderButton {
            id: sliderButton
            x: 8
            width: parent.width - 16
            anchors.verticalCenter: parent.verticalCenter
            onValueChange: function (x) { dropDownSlider.valueChange(x) }
        }
    }
}
