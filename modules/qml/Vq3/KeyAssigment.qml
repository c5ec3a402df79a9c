// Key assignment page. UNFINISHED: carries the entry points the main window uses; the panel
// itself is built later.
import QtQuick

PageStub {
    id: keyAssigment
    width: 640
    height: 448
    titleText: mainIten.langText(keyAssigmentLang, 0) + (keyIndex + 1)

    property var keyAssigmentLang: ["Key ", "Mouse Function", "Left Key", "Middle Key",
        "Right Key", "Forward Key", "Back Key", "Double Fire", "Fire Function", "Key Value",
        "Click Input", "Rate", "Times", "Endness", "Group Function", "Media Function",
        "Macro Function", "Macro Editor", "Macro runs one-time after pressing the button",
        "Macro runs endless loop until any button is pressed",
        "Macro runs endless loop until button is released", "DPI Function", "DPI+", "DPI-",
        "DPI LOOP", "Windows Function", "Shortcut Function", "Player", "Next", "Privous", "Stop",
        "Mute", "Play/Pause", "Volumn+", "Volumn-", "My PC", "Index", "Search", "Max", "Min",
        "Desktop", "Run", "New", "Cut", "Copy", "Paste", "Save", "Print", "Find", "Redo", "Undo",
        "Select All", "Gun Function", "One Gun", "Two Gun", "Three Gun", "Sniper Key"]
    property bool isFireInput: false
    property bool isComboInput: false
    property int keyIndex: 0
    property string keyText
    property var keyCodes: [0, 0, 0, 0]

    function init() {}
    // Opens the panel on a button with its current entry.
    function show(index) {
        var entry = keyMatrixMain.modKeys.get(index)
        keyIndex = index
        keyText = entry.keyText
        keyCodes = [entry.keyCode0, entry.keyCode1, entry.keyCode2, entry.keyCode3]
        visible = true
    }
    function keyCodeToString(code0, code1, code2, code3) {
        return ""
    }
    function detectKeyboard(isDown, usbCode, index) {}
}
