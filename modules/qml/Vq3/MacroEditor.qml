// Macro editor page. UNFINISHED: carries the entry points the main window uses; the editor
// itself is built later.
import QtQuick

PageStub {
    id: macroEditor
    width: 640
    height: 448
    titleText: mainIten.langText(macroEditorLang, 0)

    property var macroEditorLang: ["Macro Editor", "Macro Name", "New", "Delete", "Action",
        "Stop Record", "Times", "OK", "Start Record", "Delay", "Delete", "Import", "Export",
        "Insert Delay", "Insert Key", "Insert Left Key", "Insert Middle Key", "Insert Right Key",
        "", ""]
    property bool isInputting: false
    property bool isInsertting: false
    property alias macroNumber_lv: macroList

    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)

    function init() {}
    function macroEditorFocus() {}
    function detectKeyboard(isDown, usbCode) {}
    function detectInput(isDown, usbCode) {}
    function sendMacro(index, macroName) {}

    onBackgroundPressed: macroEditorFocus()

    ListView {
        id: macroList
        currentIndex: -1
        model: 0
    }
}
