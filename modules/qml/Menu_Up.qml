// Top-right controls of the main screen: help, minimise and close, and the profile list to their
// left (the list the profile page keeps in step with its entries).
import QtQuick
import modules.qml

Item {
    id: menuUp
    property alias profileBtn: profileList
    signal btnClicked(int btnIndex)

    width: buttons.width
    height: 24

    DropDownList {
        id: profileList
        x: -width - 16
        width: 144
        bgColor: Theme.colorOrange
    }

    Row {
        id: buttons
        spacing: 16
        anchors.verticalCenter: parent.verticalCenter

        ImageButton {
            btnIndex: 2
            normalSource: Theme.sourceAsk
            hoverSource: Theme.sourceAskH
            onClicked: function (btnIndex) { menuUp.btnClicked(btnIndex) }
        }
        ImageButton {
            btnIndex: 0
            normalSource: Theme.sourceMinBtn
            hoverSource: Theme.sourceMinBtnH
            onClicked: function (btnIndex) { menuUp.btnClicked(btnIndex) }
        }
        ImageButton {
            btnIndex: 1
            normalSource: Theme.sourceCloseBtn
            hoverSource: Theme.sourceCloseBtnH
            onClicked: function (btnIndex) { menuUp.btnClicked(btnIndex) }
        }
    }
}
