// The panel that edits one button's assignment. Each section on the left offers one kind of
// function; choosing one sets the panel's entry (type, code 1, code 2, code 3 in the UI form of
// the key matrix). Closing the panel commits the entry to the key list when it changed.
import QtQuick
import modules.qml

PanelFrame {
    id: keyAssigment
    width: 640
    height: 448
    visible: false
    titleText: Values.langText(keyAssigmentLang, 0) + (keyIndex + 1)

    property var keyAssigmentLang: ["Key ", "Mouse Function", "Left Key", "Middle Key",
        "Right Key", "Forward Key", "Back Key", "Double Fire", "Fire Function", "Key Value",
        "Click Input", "Rate", "Times", "Endness", "Group Function", "Media Function",
        "Macro Function", "Macro Editor", "Macro runs one-time after pressing the button",
        "Macro runs endless loop until any button is pressed",
        "Macro runs endless loop until button is released", "DPI Function", "DPI+", "DPI-",
        "DPI LOOP", "Windows Function", "Shortcut Function", "Player", "Next", "Privous", "Stop",
        "Mute", "Play/Pause", "Volumn+", "Volumn-", "My PC", "Index", "Search", "Max", "Min",
        "Desktop", "Run", "New", "Cut", "Copy", "Paste", "Save", "Print", "Find", "Redo", "Undo",
        "Select All", "Gun Function", "One Gun", "Two Gun", "Three Gun", "Sniper Key",
        "Keys are captured only while this window has the focus"]
    property bool isFireInput: false
    property bool isComboInput: false
    property int keyIndex: 0
    property string keyText
    property var keyCodes: [0, 0, 0, 0]
    property int currentSection: 0
    // Keys reach the panel from the whole desktop, or only while this window has the focus.
    property bool globalCapture: true

    // Fire section state.
    property int fireKey: 0
    property int fireRate: 10
    property int fireTimes: 0
    property bool loading: false
    // Key-combination capture state.
    property int comboMask: 0
    property int comboKey1: 0
    property int comboKey2: 0
    // Macro section state.
    property var macroNames: []
    property string macroName
    property int macroMode: 0
    // The panel steps aside while the macro editor, opened from it, is shown.
    property bool inMacroEditor: false
    // The mask behind the pages, hidden when this page closes.
    required property Item mask
    required property KeyMatrix keyMatrix       // the button list it edits
    required property MacroEditor macroEditor   // opened from the macro section
    required property Mouse mousePicture        // lights the button being edited
    required property QtObject keyNames    // key labels
    property bool isGun: true                   // the gun section is offered

    // The controls show the fire section's rate, times and endless box of a new entry.
    signal entryShown
    // Asks the controls to close their menus.
    signal leaveFields

    // The sections in panel order, section i editing entries of type i: caption, kind, and for
    // choice sections the entries they offer (caption, entry as eight hex digits, type first).
    // Display texts of types 0, 3, 5, 6, 7 and 8 are looked up here too.
    readonly property var sections: [
        { title: 1, kind: "choice", choices: [[2, "0000F000"], [3, "0000F200"], [4, "0000F100"],
                                              [5, "0000F400"], [6, "0000F300"], [7, "00f01e02"]] },
        { title: 8, kind: "fire" },
        { title: 14, kind: "combo" },
        { title: 15, kind: "choice", choices: [[27, "03008301"], [28, "0300b500"],
                                               [29, "0300b600"], [30, "0300b700"],
                                               [31, "0300e200"], [32, "0300cd00"],
                                               [33, "0300e900"], [34, "0300ea00"]] },
        { title: 16, kind: "macro" },
        { title: 21, kind: "choice", choices: [[22, "05000100"], [23, "05000200"],
                                               [24, "05000300"], [56, "05000400"]] },
        { title: 25, kind: "choice", choices: [[35, "06009401"], [36, "06002302"],
                                               [37, "06002102"], [38, "06042c1b"],
                                               [39, "06042c11"], [40, "0600e307"],
                                               [41, "0600e315"]] },
        { title: 26, kind: "choice", choices: [[42, "0700e011"], [43, "0700e01b"],
                                               [44, "0700e006"], [45, "0700e019"],
                                               [46, "0700e016"], [47, "0700e013"],
                                               [48, "0700e009"], [49, "0700e01c"],
                                               [50, "0700e01d"], [51, "0700e004"]] },
        { title: 52, kind: "choice", gun: true, choices: [[53, "08000100"], [54, "08000200"],
                                                          [55, "08000300"]] }
    ]

    function lang(i) {
        return Values.langText(keyAssigmentLang, i)
    }
    function parseEntry(hex) {
        return [parseInt(hex.substr(0, 2), 16), parseInt(hex.substr(2, 2), 16),
                parseInt(hex.substr(4, 2), 16), parseInt(hex.substr(6, 2), 16)]
    }
    function keyName(code) {
        return keyNames.keycodeTostr(code)
    }

    // Display text of an entry.
    function keyCodeToString(code0, code1, code2, code3) {
        var c = [Number(code0), Number(code1), Number(code2), Number(code3)]
        switch (c[0]) {
        case ButtonAction.Mouse: {
            var buttons = sections[0].choices
            for (var b = 0; b < 5; ++b)
                if (parseEntry(buttons[b][1])[2] === c[2])
                    return lang(buttons[b][0])
            return lang(7)
        }
        case ButtonAction.Fire:
            return keyName(c[1])
        case ButtonAction.Combination: {
            var parts = []
            for (var bit = 0; bit < 8; ++bit)
                if (c[1] & (1 << bit))
                    parts.push(keyName(0xE0 + bit))
            if (c[2] !== 0)
                parts.push(keyName(c[2]))
            if (c[3] !== 0)
                parts.push(keyName(c[3]))
            return parts.join("+")
        }
        case ButtonAction.Macro: {
            var name = ui_View.getData("mouseMacroKey/" + c[2], false)
            return name === undefined || name === null ? "" : String(name)
        }
        case ButtonAction.Media: case ButtonAction.Dpi: case ButtonAction.System:
        case ButtonAction.Shortcut: case ButtonAction.Gun: {
            // System functions differ in code 1 as well; the others in codes 2 and 3.
            var choices = sections[c[0]].choices
            for (var i = 0; i < choices.length; ++i) {
                var e = parseEntry(choices[i][1])
                if (e[2] === c[2] && e[3] === c[3] && (c[0] !== ButtonAction.System || e[1] === c[1]))
                    return lang(choices[i][0])
            }
            return ""
        }
        default:
            return ""
        }
    }

    function setEntry(codes, text) {
        keyCodes = codes
        keyText = text === undefined || text === null ? keyCodeToString(codes[0], codes[1], codes[2], codes[3])
                                     : text
    }

    // The macro names of the macro library (the placeholder entry dropped).
    function setMacroNames(names) {
        var list = []
        for (var i = 0; names && i < names.length; ++i)
            list.push(String(names[i]))
        if (list.length === 2 && list[1] === "loadermarlow")
            list.pop()
        macroNames = list
    }
    function readMacroNames() {
        if (typeof ui_View.getNameList === "function")
            setMacroNames(ui_View.getNameList(NameList.Macros))
    }

    // The macro editor calls this when it closes: its list may have changed.
    function closeMacroMenu() {
        readMacroNames()
    }

    function init() {
        globalCapture = typeof ui_View.isGlobalInputCapture === "function"
                        ? ui_View.isGlobalInputCapture() : true
        readMacroNames()
    }

    // Fills the panel with a button's current entry.
    function show(index) {
        var entry = keyMatrix.modKeys.get(index)
        keyIndex = index
        setEntry([entry.keyCode0, entry.keyCode1, entry.keyCode2, entry.keyCode3], entry.keyText)
        var type = keyCodes[0]
        currentSection = type >= ButtonAction.Mouse && type <= ButtonAction.Gun ? type : ButtonAction.Mouse
        if (currentSection === ButtonAction.Gun && !isGun)
            currentSection = ButtonAction.Mouse
        fireKey = type === ButtonAction.Fire ? keyCodes[1] : 0
        fireRate = type === ButtonAction.Fire ? Math.max(1, keyCodes[2]) : 10
        fireTimes = type === ButtonAction.Fire ? keyCodes[3] : 0
        entryShown()
        resetCombo()
        macroName = type === ButtonAction.Macro ? keyText : ""
        macroMode = type === ButtonAction.Macro ? keyCodes[1] : 0
        readMacroNames()
        isFireInput = false
        isComboInput = false
        // The caller shows the panel (openPage), after placing it.
    }

    // Commits the entry when it differs from the button's, then closes.
    function closePanel() {
        isFireInput = false
        isComboInput = false
        leaveFields()
        var k = keyMatrix.modKeys.get(keyIndex)
        var old = [k.keyCode0, k.keyCode1, k.keyCode2, k.keyCode3]
        var changed = false
        for (var i = 0; i < 4; ++i)
            if (Number(old[i]) !== Number(keyCodes[i]))
                changed = true
        // A macro entry is (4, mode, button, 0) whatever the macro: another macro is a change
        // only by its name.
        if (keyCodes[0] === ButtonAction.Macro && String(k.keyText) !== String(keyText))
            changed = true
        if (changed) {
            if (keyCodes[0] === ButtonAction.Macro) {
                ui_View.setData("mouseMacroKey/" + keyIndex, keyText)
                if (typeof macroEditor.sendMacro === "function")
                    macroEditor.sendMacro(keyIndex, keyText)
            }
            keyMatrix.modKeys.set(keyIndex, { "keyCode0": keyCodes[0], "keyCode1": keyCodes[1],
                                                  "keyCode2": keyCodes[2], "keyCode3": keyCodes[3],
                                                  "keyText": keyText })
            keyMatrix.isSave = true
        }
        visible = false
        mask.visible = false
        mousePicture.selectKey = -1
    }

    // Puts the factory entry back on the button (and in the panel).
    function resetKey() {
        var f = keyMatrix.modKeys_tmp.get(keyIndex)
        if (keyMatrix.modKeys.get(keyIndex).keyText === f.keyText)
            return
        keyMatrix.modKeys.set(keyIndex, { "keyCode0": f.keyCode0, "keyCode1": f.keyCode1,
                                              "keyCode2": f.keyCode2, "keyCode3": f.keyCode3,
                                              "keyText": f.keyText })
        keyMatrix.isSave = true
        show(keyIndex)
    }

    function applyFire() {
        if (fireKey !== 0)
            setEntry([ButtonAction.Fire, fireKey, fireRate, fireTimes])
    }
    function resetCombo() {
        var isCombo = keyCodes[0] === ButtonAction.Combination
        comboMask = isCombo ? keyCodes[1] : 0
        comboKey1 = isCombo ? keyCodes[2] : 0
        comboKey2 = isCombo ? keyCodes[3] : 0
    }
    function applyMacro() {
        if (macroName !== "")
            setEntry([ButtonAction.Macro, macroMode, keyIndex, 0], macroName)
    }

    // Key capture: index 0 the fire key, index 1 the key combination.
    function detectKeyboard(isDown, usbCode, index) {
        var code = Number(usbCode)
        if (!isDown || code === 0)
            return
        if (index === 0) {
            fireKey = code
            isFireInput = false
            applyFire()
        } else if (index === 1) {
            if (code >= 0xE0 && code <= 0xE7)
                comboMask |= 1 << (code - 0xE0)
            else if (comboKey1 === 0)
                comboKey1 = code
            else if (comboKey2 === 0 && code !== comboKey1)
                comboKey2 = code
        }
    }

    onCloseClicked: closePanel()

    Connections {
        target: keyAssigment.macroEditor
        function onVisibleChanged() {
            if (keyAssigment.macroEditor.visible || !keyAssigment.inMacroEditor)
                return
            keyAssigment.inMacroEditor = false
            keyAssigment.readMacroNames()
            keyAssigment.visible = true
            keyAssigment.mask.visible = true
        }
    }
    onBackgroundPressed: leaveFields()
    // The controls are built on the first opening, and kept.
    onVisibleChanged: {
        if (visible)
            body.active = true
    }

    component FieldBox: Rectangle {
        property string textValue
        property bool active: false
        signal clicked
        width: 200
        height: 24
        radius: 2
        color: Theme.colorGray0
        border.color: active ? Theme.colorOrange : Theme.colorGray1
        Text {
            anchors.fill: parent
            anchors.leftMargin: 8
            verticalAlignment: Text.AlignVCenter
            text: parent.textValue
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
            elide: Text.ElideRight
        }
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: parent.clicked()
        }
    }
    component Caption: Text {
        height: 24
        verticalAlignment: Text.AlignVCenter
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.colorGray3
    }

    Loader {
        id: body
        anchors.fill: parent
        active: false
        sourceComponent: Item {
            id: controls
            // The fire section's controls for the entry shown.
            function showFire() {
                endlessBox.isSelect = keyAssigment.fireTimes === 0
                timesInput.textValue = String(keyAssigment.fireTimes)
                rateSlider.textValue = keyAssigment.fireRate + "MS"
                keyAssigment.loading = true // placing the knob must not rewrite the stored rate
                rateSlider.slider.setRatioValue((keyAssigment.fireRate - 1)
                                                / rateSlider.slider.travel)
                keyAssigment.loading = false
            }
            Component.onCompleted: showFire()
            Connections {
                target: keyAssigment
                function onEntryShown() {
                    controls.showFire()
                }
                function onLeaveFields() {
                    rateSlider.closeMenu()
                }
            }

            // Section list.
            Column {
                id: sectionList
                x: 12
                y: 12
                spacing: 4
                Repeater {
                    model: keyAssigment.sections.length
                    delegate: TextButton {
                        required property int index
                        objectName: "section" + index
                        width: 168
                        height: 30
                        visible: !keyAssigment.sections[index].gun || keyAssigment.isGun
                        textValue: keyAssigment.lang(keyAssigment.sections[index].title)
                        textAlign: Text.AlignLeft
                        normalColor: keyAssigment.currentSection === index ? Theme.colorOrange
                                                                            : Theme.colorGray1
                        onClicked: {
                            keyAssigment.isFireInput = false
                            keyAssigment.isComboInput = false
                            keyAssigment.currentSection = index
                        }
                    }
                }
            }

            Item {
                id: content
                x: 196
                y: 12
                width: parent.width - x - 16
                height: parent.height - 30 - 24

                // The entry as it stands.
                Rectangle {
                    id: currentBox
                    width: parent.width
                    height: 30
                    radius: 2
                    color: Theme.colorGray1
                    Text {
                        objectName: "currentText"
                        anchors.fill: parent
                        anchors.leftMargin: 12
                        verticalAlignment: Text.AlignVCenter
                        text: keyAssigment.keyText
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontMiddleSize
                        font.bold: true
                        color: Theme.fontColor
                        elide: Text.ElideRight
                    }
                    ImageButton {
                        objectName: "keyResetBtn"
                        anchors.right: parent.right
                        anchors.rightMargin: 6
                        anchors.verticalCenter: parent.verticalCenter
                        normalSource: Theme.sourceRestBtn
                        hoverSource: Theme.sourceRestBtnH
                        onClicked: keyAssigment.resetKey()
                    }
                }

                // Choice sections: one radio button per entry, in two columns.
                Grid {
                    y: 46
                    columns: 2
                    columnSpacing: 24
                    rowSpacing: 12
                    visible: keyAssigment.sections[keyAssigment.currentSection].kind === "choice"
                    // The model is the number of choices, so each button's own index is the choice's
                    // (see the run-mode buttons below).
                    Repeater {
                        model: (keyAssigment.sections[keyAssigment.currentSection].choices || []).length
                        delegate: RadioButton {
                            id: choiceButton
                            required property int modelData
                            readonly property var choice:
                                keyAssigment.sections[keyAssigment.currentSection].choices[modelData]
                            objectName: "choice" + modelData
                            index: modelData
                            width: 180
                            // A section change may reach a button before the repeater drops it.
                            textValue: choice ? keyAssigment.lang(choice[0]) : ""
                            function chosen() {
                                if (!choice)
                                    return false
                                var e = keyAssigment.parseEntry(choice[1])
                                var c = keyAssigment.keyCodes
                                return e[0] === c[0] && e[1] === c[1] && e[2] === c[2] && e[3] === c[3]
                            }
                            isSelect: chosen()
                            onBtnClick: {
                                keyAssigment.setEntry(keyAssigment.parseEntry(choice[1]), null)
                                choiceButton.isSelect = Qt.binding(chosen) // the click replaced the binding
                            }
                        }
                    }
                }

                // Fire function: the captured key, the rate and the number of shots.
                Column {
                    y: 46
                    spacing: 14
                    visible: keyAssigment.sections[keyAssigment.currentSection].kind === "fire"
                    Row {
                        spacing: 12
                        Caption { width: 80; text: keyAssigment.lang(9) }
                        FieldBox {
                            objectName: "fireKeyField"
                            active: keyAssigment.isFireInput
                            textValue: keyAssigment.isFireInput || keyAssigment.fireKey === 0
                                       ? keyAssigment.lang(10) : keyAssigment.keyName(keyAssigment.fireKey)
                            onClicked: {
                                keyAssigment.isComboInput = false
                                keyAssigment.isFireInput = true
                            }
                        }
                    }
                    Row {
                        spacing: 12
                        z: 10
                        Caption { width: 80; text: keyAssigment.lang(11) }
                        DropDownSlider {
                            id: rateSlider
                            width: 200
                            textValue: "10ms"
                            onValueChange: function (x) {
                                if (keyAssigment.loading)
                                    return
                                keyAssigment.fireRate = Math.round(x) + 1
                                textValue = keyAssigment.fireRate + "MS"
                                keyAssigment.applyFire()
                            }
                        }
                    }
                    Row {
                        spacing: 12
                        Caption { width: 80; text: keyAssigment.lang(12) }
                        RectInput {
                            id: timesInput
                            objectName: "timesInput"
                            minValue: 0
                            maxValue: 255
                            onEndInputSignal: {
                                keyAssigment.fireTimes = parseInt(textValue) || 0
                                endlessBox.isSelect = keyAssigment.fireTimes === 0
                                keyAssigment.applyFire()
                            }
                        }
                        CheckBox {
                            id: endlessBox
                            objectName: "endlessBox"
                            textValue: keyAssigment.lang(13)
                            onBtnClick: {
                                if (!isSelect) { // about to be ticked
                                    keyAssigment.fireTimes = 0
                                    timesInput.textValue = "0"
                                    keyAssigment.applyFire()
                                }
                            }
                        }
                    }
                }

                // Key combination: modifiers and up to two keys, captured; tick keeps, cross discards.
                Row {
                    y: 46
                    spacing: 12
                    visible: keyAssigment.sections[keyAssigment.currentSection].kind === "combo"
                    FieldBox {
                        objectName: "comboField"
                        width: 300
                        active: keyAssigment.isComboInput
                        textValue: {
                            var t = keyAssigment.keyCodeToString(2, keyAssigment.comboMask,
                                                                 keyAssigment.comboKey1,
                                                                 keyAssigment.comboKey2)
                            return t === "" ? keyAssigment.lang(10) : t
                        }
                        onClicked: {
                            keyAssigment.isFireInput = false
                            keyAssigment.comboMask = 0
                            keyAssigment.comboKey1 = 0
                            keyAssigment.comboKey2 = 0
                            keyAssigment.isComboInput = true
                        }
                    }
                    ImageButton {
                        objectName: "comboSure"
                        anchors.verticalCenter: parent.verticalCenter
                        normalSource: Theme.sourceSureBtn
                        hoverSource: Theme.sourceSureBtn
                        onClicked: {
                            keyAssigment.isComboInput = false
                            if (keyAssigment.comboMask || keyAssigment.comboKey1 || keyAssigment.comboKey2)
                                keyAssigment.setEntry([ButtonAction.Combination, keyAssigment.comboMask, keyAssigment.comboKey1,
                                                       keyAssigment.comboKey2])
                            else
                                keyAssigment.resetCombo()
                        }
                    }
                    ImageButton {
                        objectName: "comboClose"
                        anchors.verticalCenter: parent.verticalCenter
                        normalSource: Theme.sourceCloseBtn
                        hoverSource: Theme.sourceCloseBtnH
                        onClicked: {
                            keyAssigment.isComboInput = false
                            keyAssigment.resetCombo()
                        }
                    }
                }

                // Macro function: a macro of the library and how it runs.
                Column {
                    y: 46
                    spacing: 10
                    visible: keyAssigment.sections[keyAssigment.currentSection].kind === "macro"
                    Rectangle {
                        width: content.width
                        height: 150
                        radius: 2
                        color: Theme.colorGray0
                        border.color: Theme.colorGray1
                        ListView {
                            id: macroList
                            objectName: "macroList"
                            anchors.fill: parent
                            anchors.margins: 2
                            clip: true
                            model: keyAssigment.macroNames
                            delegate: Rectangle {
                                required property var modelData
                                width: macroList.width
                                height: 24
                                color: modelData === keyAssigment.macroName ? Theme.colorOrange
                                                                             : "transparent"
                                Text {
                                    x: 8
                                    anchors.verticalCenter: parent.verticalCenter
                                    text: parent.modelData
                                    font.family: Theme.fontFamily
                                    font.pixelSize: Theme.fontNormalSize
                                    color: Theme.fontColor
                                }
                                MouseArea {
                                    anchors.fill: parent
                                    onClicked: {
                                        keyAssigment.macroName = parent.modelData
                                        keyAssigment.applyMacro()
                                    }
                                }
                            }
                        }
                    }
                    // The run mode is the button's own index (set from the model's value: a delegate
                    // that declared an "index" of its own would hide the button's, and the click would
                    // report 0 whatever was chosen).
                    Repeater {
                        model: 3
                        delegate: RadioButton {
                            id: modeButton
                            required property int modelData
                            objectName: "macroMode" + modelData
                            index: modelData
                            textValue: keyAssigment.lang(18 + modelData)
                            isSelect: keyAssigment.macroMode === modelData
                            onBtnClick: function (mode) {
                                keyAssigment.macroMode = mode
                                keyAssigment.applyMacro()
                                // the click replaced the binding
                                modeButton.isSelect = Qt.binding(
                                            () => keyAssigment.macroMode === modeButton.modelData)
                            }
                        }
                    }
                    TextButton {
                        objectName: "macroEditorBtn"
                        width: 120
                        textValue: keyAssigment.lang(17)
                        onClicked: {
                            keyAssigment.inMacroEditor = true
                            keyAssigment.visible = false
                            openPage(keyAssigment.macroEditor, true)
                        }
                    }
                }
            }

            // Without a desktop-wide capture, keys are captured only while this window has the focus.
            Text {
                objectName: "focusNotice"
                x: content.x
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 10
                visible: !keyAssigment.globalCapture
                         && (keyAssigment.sections[keyAssigment.currentSection].kind === "fire"
                             || keyAssigment.sections[keyAssigment.currentSection].kind === "combo")
                text: keyAssigment.lang(57)
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                color: Theme.colorGray2
            }
        }
    }
}
