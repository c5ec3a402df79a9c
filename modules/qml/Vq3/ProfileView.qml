pragma ComponentBehavior: Bound
// The controls of the profile page, built the first time the page opens and kept: the list of
// entries (a double click renames in place, a right click opens the entry's menu), New and
// Import, and the menu. The entries, the selection and every command live in the page.
import QtQuick
import modules.qml

Item {
    id: view
    required property Profile page

    // The right-click menu opens at the pointer (in the page's coordinates), kept inside the page.
    function placeMenu(at: point) {
        profileMenu.x = Math.min(at.x, view.page.width - profileMenu.width)
        profileMenu.y = Math.min(at.y, view.page.height - profileMenu.height)
    }

    Rectangle {
        id: listFrame
        x: 16
        y: 12
        width: view.width - 32
        height: 6 * 28 + 8
        radius: 4
        color: Qt.rgba(0, 0, 0, 0.35)
        border.color: Theme.colorGray1

        ListView {
            id: profileList
            objectName: "profileList"
            x: 4
            y: 4
            width: listFrame.width - 8
            height: listFrame.height - 8
            interactive: false
            model: view.page.profileDataModel0
            delegate: Rectangle {
                id: profileRow
                required property int index
                required property string textValue
                required property int profileNo
                width: profileList.width
                height: 28
                radius: 2
                color: profileRow.index === view.page.selectedRow ? Theme.colorOrange
                       : rowArea.containsMouse ? Theme.colorGray1 : "transparent"
                Text {
                    x: 12
                    anchors.verticalCenter: profileRow.verticalCenter
                    visible: view.page.editingRow !== profileRow.index
                    text: profileRow.textValue
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
                }
                Text {
                    anchors.right: profileRow.right
                    anchors.rightMargin: 12
                    anchors.verticalCenter: profileRow.verticalCenter
                    visible: profileRow.profileNo === view.page.profileNo
                    text: "\u25cf"
                    font.pixelSize: Theme.fontMinSize
                    color: Theme.fontColor
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: profileRow
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: function (mouse) {
                        var menu = mouse.button === Qt.RightButton
                        if (menu)
                            view.placeMenu(rowArea.mapToItem(view.page, mouse.x, mouse.y))
                        view.page.pressRow(profileRow.index, menu)
                    }
                    onDoubleClicked: function (mouse) {
                        if (mouse.button === Qt.LeftButton)
                            view.page.editRow(profileRow.index)
                    }
                }
                // The name editor exists while this row is being renamed. It is a file of its
                // own: the row's index and name are handed to it as it is created.
                Loader {
                    id: editorLoader
                    x: 8
                    width: profileRow.width - 40
                    anchors.verticalCenter: profileRow.verticalCenter
                    readonly property bool editing: view.page.editingRow === profileRow.index
                    function follow() {
                        if (editorLoader.editing)
                            editorLoader.setSource(Qt.resolvedUrl("ProfileNameEditor.qml"),
                                                   { "page": view.page, "row": profileRow.index,
                                                     "name": profileRow.textValue })
                        else
                            editorLoader.source = ""
                    }
                    onEditingChanged: editorLoader.follow()
                    Component.onCompleted: editorLoader.follow()
                }
            }
        }
    }

    Row {
        anchors.right: view.right
        anchors.rightMargin: 16
        anchors.bottom: view.bottom
        anchors.bottomMargin: 16
        spacing: 16
        TextButton {
            objectName: "profileNewBtn"
            width: 88
            textValue: Values.langText(view.page.profileLang, 1)
            onClicked: {
                view.page.profileFocus()
                view.page.newProfile()
            }
        }
        TextButton {
            objectName: "profileImportBtn"
            width: 88
            textValue: Values.langText(view.page.profileLang, 2)
            onClicked: {
                view.page.profileFocus()
                view.page.profileMenuCmd(2)
            }
        }
    }

    Rectangle {
        id: profileMenu
        objectName: "profileMenu"
        width: 120
        height: menuColumn.height + 2
        visible: view.page.menuShown
        z: 50
        color: Theme.colorGray0
        border.color: Theme.colorGray1
        Column {
            id: menuColumn
            x: 1
            y: 1
            Repeater {
                model: view.page.menuModel
                delegate: Rectangle {
                    id: menuRow
                    required property int index
                    required property string textValue
                    width: 118
                    height: 24
                    color: menuArea.containsMouse ? Theme.colorOrange : "transparent"
                    Text {
                        x: 8
                        anchors.verticalCenter: menuRow.verticalCenter
                        text: menuRow.textValue
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                        color: Theme.fontColor
                    }
                    MouseArea {
                        id: menuArea
                        anchors.fill: menuRow
                        hoverEnabled: true
                        onClicked: view.page.profileMenuCmd(menuRow.index)
                    }
                }
            }
        }
    }
}
