// The in-place editor of a profile entry's name: it opens with the name selected and the
// keyboard focus, and Enter or losing the focus hands the trimmed text to the page, once.
import QtQuick
import modules.qml

Rectangle {
    id: editor
    required property Profile page
    required property int row
    required property string name
    height: 22
    color: Theme.colorGray0
    border.color: Theme.colorOrange

    TextInput {
        id: nameEditor
        objectName: "profileNameEditor"
        anchors.fill: parent
        anchors.leftMargin: 4
        verticalAlignment: TextInput.AlignVCenter
        text: editor.name
        maximumLength: 24
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
        selectionColor: Theme.colorOrange
        selectByMouse: true
        property bool done: false
        function accept() {
            if (nameEditor.done)
                return
            nameEditor.done = true
            editor.page.renameRow(editor.row, nameEditor.text.trim())
        }
        Component.onCompleted: {
            nameEditor.selectAll()
            nameEditor.forceActiveFocus()
        }
        onAccepted: nameEditor.accept()
        onActiveFocusChanged: {
            if (!nameEditor.activeFocus)
                nameEditor.accept()
        }
    }
}
