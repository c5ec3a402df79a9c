// A centred integer field of at most four characters, limited to minValue .. maxValue. Leaving
// it, or Enter, turns an empty field or a value below 1 into "0" and emits endInputSignal. A
// page commits a field the user is still typing in before it reads the value (the root's
// commitInputs), which takes the focus away the same way.
import QtQuick

Rectangle {
    id: rectInput
    property alias textValue: input.text
    property int minValue: 0
    property int maxValue: 255
    property alias input: input
    signal inputSignal
    signal endInputSignal

    width: 48
    height: 24
    radius: 2
    color: Theme.colorGray0
    border.color: input.activeFocus ? Theme.colorOrange : Theme.colorGray1

    TextInput {
        id: input
        anchors.fill: parent
        text: "0"
        maximumLength: 4
        horizontalAlignment: TextInput.AlignHCenter
        verticalAlignment: TextInput.AlignVCenter
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
        selectByMouse: true
        validator: IntValidator {
            bottom: rectInput.minValue
            top: rectInput.maxValue
        }
        // Enter hands the focus back to the scene's root, which commits as leaving does.
        Keys.onReturnPressed: Scene.commitInputs(rectInput)
        Keys.onEnterPressed: Scene.commitInputs(rectInput)
        onActiveFocusChanged: {
            if (activeFocus) {
                rectInput.inputSignal()
                return
            }
            if (text === "" || parseInt(text) < 1)
                text = "0"
            rectInput.endInputSignal()
        }
    }
}
