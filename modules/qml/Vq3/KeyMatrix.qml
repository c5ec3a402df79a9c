// The "Key Function" list of the main screen: the assignment of every button, read from the
// current profile. Hovering a row lights the button on the mouse picture; clicking it opens the
// assignment panel. The reset image puts the factory assignments back.
pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

SectionPanel {
    id: keyMatrix
    titleText: Values.langText(keyMatrixLang, 1)
    height: 34 + rows.height + 8

    property var keyMatrixLang: ["Key ", "Key Function"]
    property bool isSave: false
    property int selectIndex: -1
    property alias modKeys: keyModel
    property alias modKeys_tmp: keyModelTmp

    // What the owner gives: the number of buttons the mouse has, the button lit on the mouse
    // picture, and the text of an assignment (its type and three codes), which the assignment
    // page knows how to name.
    property int keyCount: 8
    property int selectKey: -1
    property var assignmentText: function (code0, code1, code2, code3) { return "" }

    signal enterBtn(int index)
    signal leaveBtn(int index)
    signal clickBtn(int index)
    // A factory macro entry put back by the reset: the owner sends the macro to the mouse.
    signal factoryMacroRestored(int index, string macroName)

    // Copies a stored entry (four values, as text or numbers) into a model row; a missing or
    // short entry leaves the row as it is.
    function loadEntry(model, index, values) {
        if (!values || values.length < 4)
            return
        model.set(index, { "keyCode0": parseInt(values[0]) & 0xFF,
                           "keyCode1": parseInt(values[1]) & 0xFF,
                           "keyCode2": parseInt(values[2]) & 0xFF,
                           "keyCode3": parseInt(values[3]) & 0xFF })
    }
    function updateText(model, index) {
        var k = model.get(index)
        var name = keyMatrix.assignmentText // a function held in a property: read, then called
        model.setProperty(index, "keyText", name(k.keyCode0, k.keyCode1, k.keyCode2, k.keyCode3))
    }

    // Indices of the buttons that play the named macro.
    function macroKeys(macroName) {
        var keys = new Array()
        for (var i = 0; i < keyModel.count; ++i) {
            var key = keyModel.get(i)
            if (key.keyCode0 === 4
                    && String(ui_View.getData("mouseMacroKey/" + key.keyCode2, false)) === macroName)
                keys.push(i)
        }
        return keys
    }

    function init(isSendData, isRecovery) {
        for (var j = 0; j < keyModel.count; ++j) {
            loadEntry(keyModel, j, ui_View.mouseGetKeydefine(j, isRecovery))
            loadEntry(keyModelTmp, j, ui_View.mouseGetKeydefine(j, true))
        }
        for (var i = 0; i < keyModel.count; ++i) {
            updateText(keyModel, i)
            updateText(keyModelTmp, i)
        }
        if (isSendData)
            keyModel.saveData()
    }

    // The recoil periods of the guns chosen for gun slots 1, 2 and 3.
    function gunPeriods() {
        var periods = [10, 10, 10]
        if (typeof ui_View.getGunData !== "function")
            return periods
        var slots = ui_View.getGlobalData("mouse/selectGun")
        for (var i = 0; slots && i < 3 && i < slots.length; ++i) {
            var gun = ui_View.getGunData(parseInt(slots[i]))
            var period = gun && gun.length > 2 ? parseInt(gun[2]) : NaN
            if (!isNaN(period))
                periods[i] = period
        }
        return periods
    }

    // Puts every factory assignment back; factory macro entries are sent again at once.
    function resetAll() {
        for (var i = 0; i < keyModelTmp.count; ++i) {
            var f = keyModelTmp.get(i)
            keyModel.set(i, { "keyCode0": f.keyCode0, "keyCode1": f.keyCode1,
                              "keyCode2": f.keyCode2, "keyCode3": f.keyCode3,
                              "keyText": f.keyText })
            if (f.keyCode0 === 4) {
                factoryMacroRestored(i, f.keyText)
                ui_View.setData("mouseMacroKey/" + f.keyCode2, f.keyText)
            }
        }
        isSave = true
    }

    KeyMatrixModel {
        id: keyModel
        function saveData() {
            var values = new Array()
            for (var i = 0; i < count; ++i) {
                var k = get(i)
                values.push(k.keyCode0, k.keyCode1, k.keyCode2, k.keyCode3)
            }
            ui_View.mouseSetKeyMatrix(values, true, keyMatrix.gunPeriods())
        }
        // True when exactly one button is the left button and the selected button is that one.
        function checkOneLeftKey() {
            var lefts = new Array()
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

    ImageButton {
        objectName: "keyMatrixReset"
        anchors.right: parent.right
        anchors.rightMargin: 10
        y: -28 // in the caption line, above the rows
        normalSource: Theme.sourceRestBtn
        hoverSource: Theme.sourceRestBtnH
        onClicked: keyMatrix.resetAll()
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
                objectName: "keyRow" + index
                width: rows.width
                height: 24
                visible: index < Math.min(14, keyMatrix.keyCount)
                radius: 2
                color: rowArea.containsMouse || keyMatrix.selectKey === index
                       ? Theme.colorOrange
                       : (index % 2 ? "transparent" : Qt.rgba(1, 1, 1, 0.04))
                Text {
                    x: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: Values.langText(keyMatrix.keyMatrixLang, 0) + (row.index + 1)
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.colorGray3
                }
                Text {
                    anchors.right: parent.right
                    anchors.rightMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - 80
                    horizontalAlignment: Text.AlignRight
                    elide: Text.ElideRight
                    text: row.keyText
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
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
