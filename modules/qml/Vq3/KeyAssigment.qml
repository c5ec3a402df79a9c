// The panel that edits one button's assignment. Each section on the left offers one kind of
// function; choosing one sets the panel's entry (type, code 1, code 2, code 3 in the UI form of
// the key matrix). Closing the panel commits the entry to the key list when it changed.
// This object holds the entry and every step of editing it; its controls (KeyAssigmentView) are
// built the first time the panel opens, and kept.
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
    required property KeyCodeString keyNames // key labels
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

    // The section shown: its kind, and the entries it offers when it is a choice section.
    readonly property string currentKind: sections[currentSection].kind
    readonly property var currentChoices: sections[currentSection].choices || new Array()
    // What the capture fields show.
    readonly property string fireKeyText: isFireInput || fireKey === 0 ? lang(10) : keyName(fireKey)
    readonly property string comboText: {
        var t = keyCodeToString(ButtonAction.Combination, comboMask, comboKey1, comboKey2)
        return t === "" ? lang(10) : t
    }
    // Keys typed into another window do not reach the capture sections.
    readonly property bool showsFocusNotice: !globalCapture
                                             && (currentKind === "fire" || currentKind === "combo")

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
            var buttons = sections[ButtonAction.Mouse].choices
            for (var b = 0; b < 5; ++b)
                if (parseEntry(buttons[b][1])[2] === c[2])
                    return lang(buttons[b][0])
            return lang(7)
        }
        case ButtonAction.Fire:
            return keyName(c[1])
        case ButtonAction.Combination: {
            var parts = new Array()
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
        var list = new Array()
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

    // Called when the macro editor closes: its list may have changed.
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

    // The steps of the controls.
    function chooseSection(index) {
        isFireInput = false
        isComboInput = false
        currentSection = index
    }
    // A choice of a choice section: [caption, entry as eight hex digits].
    function isChosen(choice) {
        if (!choice)
            return false
        var e = parseEntry(choice[1])
        var c = keyCodes
        return e[0] === c[0] && e[1] === c[1] && e[2] === c[2] && e[3] === c[3]
    }
    function chooseEntry(choice) {
        setEntry(parseEntry(choice[1]), null)
    }
    function startFireInput() {
        isComboInput = false
        isFireInput = true
    }
    // The rate slider's position in pixels, one millisecond each from 1.
    function setFireRate(x) {
        fireRate = Math.round(x) + 1
        applyFire()
    }
    function setFireTimes(text) {
        fireTimes = parseInt(text) || 0
        applyFire()
    }
    function setEndless() {
        fireTimes = 0
        applyFire()
    }
    // A new capture starts from nothing; the tick keeps it, the cross gives the entry's back.
    function startComboInput() {
        isFireInput = false
        comboMask = 0
        comboKey1 = 0
        comboKey2 = 0
        isComboInput = true
    }
    function acceptCombo() {
        isComboInput = false
        if (comboMask || comboKey1 || comboKey2)
            setEntry([ButtonAction.Combination, comboMask, comboKey1, comboKey2])
        else
            resetCombo()
    }
    function discardCombo() {
        isComboInput = false
        resetCombo()
    }
    function chooseMacro(name) {
        macroName = name
        applyMacro()
    }
    function chooseMacroMode(mode) {
        macroMode = mode
        applyMacro()
    }
    // The macro editor takes the panel's place, centred over the mask (which stays), until it
    // closes (see the Connections below).
    function openMacroEditor() {
        Scene.commitInputs(keyAssigment)
        inMacroEditor = true
        visible = false
        // Both pages lie in the same overlay layer, the size of the window.
        macroEditor.x = (parent.width - macroEditor.width) / 2
        macroEditor.y = (parent.height - macroEditor.height) / 2
        macroEditor.visible = true
        mask.visible = true
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

    // The editor's list is the macro section's list: followed while it changes, read again from
    // the list file when the editor closes.
    Connections {
        target: keyAssigment.macroEditor
        function onMacroNamesChanged() {
            keyAssigment.setMacroNames(keyAssigment.macroEditor.macroNames)
        }
        function onVisibleChanged() {
            if (keyAssigment.macroEditor.visible)
                return
            keyAssigment.closeMacroMenu()
            if (!keyAssigment.inMacroEditor)
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
        if (visible && body.status === Loader.Null)
            body.setSource(Qt.resolvedUrl("KeyAssigmentView.qml"), { "page": keyAssigment })
    }

    Loader {
        id: body
        anchors.fill: parent
    }
}
