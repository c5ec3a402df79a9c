// Macro editor page: the macro library, the actions of the selected macro, recording from the
// global input capture, editing and inserting actions, the repeat count. Every change is saved
// at once and announced with modifyMacroData, so the main window re-sends the macro to every
// button that plays it. This file holds the state and the functions, ready from the start; the
// controls (MacroEditorView.qml) are built the first time the page opens.
import QtQuick
import modules.qml
import "macrocode.js" as MacroCode

PanelFrame {
    id: macroEditor
    objectName: "macroEditorMain"
    width: 640
    height: 448
    visible: false
    titleText: Values.langText(macroEditorLang, 0)

    property var macroEditorLang: ["Macro Editor", "Macro Name", "New", "Delete", "Action",
        "Stop Record", "Times", "OK", "Start Record", "Delay", "Delete", "Import", "Export",
        "Insert Delay", "Insert Key", "Insert Left Key", "Insert Middle Key", "Insert Right Key",
        "Keys are captured only while this window has the focus", ""]
    readonly property int maxMacros: 100
    property bool isInputting: false   // recording
    property bool isInsertting: false  // the insert-key dialog is open
    property int ticks: 0              // 10 ms steps since the last recorded event
    property string insertLabel: ""
    property string nameMessage: ""    // why the last name was refused
    // The names in list order, for the key assignment page's macro list.
    property var macroNames: []
    // The page's state; the controls show it once the page has been opened.
    property int currentMacro: -1      // the selected macro's row
    property int currentAction: -1     // the selected action's row
    property string repeatText: "1"    // the repeat count, as typed
    property bool recordDelays: false  // recording stores the pauses between events
    property bool insertOpen: false    // the insert-key dialog is shown
    // The macro list's selection as the key capture reads it, built or not.
    readonly property QtObject macroNumber_lv: QtObject {
        readonly property int currentIndex: macroEditor.currentMacro
    }
    // The library's names, and the actions of the selected macro as {type, info}.
    readonly property ListModel macroModel: ListModel {}
    readonly property ListModel actionModel: ListModel {}

    // Asks the controls to close their menus, and to end an edit in progress.
    signal menusClosing
    signal editsEnding
    // An action was recorded at the end of the list (the list scrolls to it).
    signal actionRecorded

    // The mask behind the pages, hidden when this page closes.
    required property Item mask
    required property KeyCodeString keyNames // key labels and codes

    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)

    function lang(i) { return Values.langText(macroEditorLang, i) }

    // --- The library ---

    function init() {
        var names = ui_View.getNameList(NameList.Macros)
        if (names.length === 2 && String(names[1]) === "loadermarlow")
            names = [names[0]]
        macroModel.clear()
        for (var i = 0; i < names.length && i < maxMacros; ++i)
            macroModel.append({ "name": String(names[i]) })
        currentMacro = -1
        actionModel.clear()
        refreshNames(false)
    }

    function selectedName() {
        return currentMacro >= 0 && currentMacro < macroModel.count
               ? macroModel.get(currentMacro).name : ""
    }

    function hasName(name) {
        for (var i = 0; i < macroModel.count; ++i)
            if (macroModel.get(i).name === name)
                return true
        return false
    }

    // "Macro_<n>" with the lowest n that is neither in the list nor a file on disk (a file the
    // list lost, or one the user put there), so a new entry never takes over a user's file.
    function freeName() {
        for (var n = 0; n < 1000; ++n) {
            var name = "Macro_" + n
            if (!hasName(name) && String(ui_View.checkMacroName(name)) === "")
                return name
        }
        return ""
    }

    // Stores the list and hands it to the key assignment page.
    function refreshNames(store) {
        var names = new Array()
        for (var i = 0; i < macroModel.count; ++i)
            names.push(macroModel.get(i).name)
        if (store)
            ui_View.updataNameList(NameList.Macros, names)
        macroNames = names
    }

    // A press on a row of the library selects it (a press on the selected row keeps the
    // actions as they are, so a second click does not stop a recording).
    function pressMacro(index) {
        macroEditorFocus()
        if (currentMacro !== index)
            selectMacro(index)
    }

    function selectMacro(index) {
        Scene.commitInputs(macroEditor) // a repeat count typed for the macro chosen before belongs to it
        stopRecording()
        currentMacro = index
        currentAction = -1
        loadActions()
    }

    function newMacro() {
        nameMessage = ""
        var name = freeName()
        if (macroModel.count >= maxMacros || name === "")
            return
        macroModel.append({ "name": name })
        ui_View.createMacroIni(name, 0)
        selectMacro(macroModel.count - 1)
        refreshNames(true)
    }

    function importMacro() {
        nameMessage = ""
        var name = freeName()
        if (macroModel.count >= maxMacros || name === "")
            return
        var at = currentMacro >= 0 ? currentMacro : macroModel.count
        macroModel.insert(at, { "name": name })
        if (!ui_View.loadMacroFile(name))
            ui_View.createMacroIni(name, 0)
        selectMacro(at)
        refreshNames(true)
    }

    function exportMacro() {
        if (selectedName() !== "")
            ui_View.saveMacroFile(selectedName())
    }

    function deleteSelected() {
        var name = selectedName()
        if (name === "")
            return
        stopRecording()
        var index = currentMacro
        ui_View.deleteMacroIni(name)
        actionModel.clear()
        deleteMacro(name)
        macroModel.remove(index)
        selectMacro(Math.min(index, macroModel.count - 1))
        refreshNames(true)
    }

    // A new name is taken only when no other macro has it and it can be a file name.
    function renameMacro(index, newName) {
        if (index < 0 || index >= macroModel.count)
            return
        var oldName = macroModel.get(index).name
        if (hasName(newName))
            return
        var problem = String(ui_View.checkMacroName(newName))
        if (problem !== "") {
            nameMessage = problem
            return
        }
        nameMessage = ""
        modifyMacroName(oldName, newName)
        macroModel.setProperty(index, "name", newName)
        refreshNames(true)
    }

    // --- The actions of the selected macro ---

    function loadActions() {
        actionModel.clear()
        var name = selectedName()
        if (name === "")
            return
        var macro = MacroCode.parseMacro(ui_View.loadMacroIni(name))
        if (macro === null)
            return
        for (var i = 0; i < macro.actions.length; ++i)
            actionModel.append(macro.actions[i])
        repeatText = macro.repeat
    }

    function actions() {
        var list = new Array()
        for (var i = 0; i < actionModel.count; ++i) {
            var a = actionModel.get(i)
            list.push({ "type": a.type, "info": a.info })
        }
        return list
    }

    function recordCount() {
        return MacroCode.recordCount(actions())
    }

    function isFull() {
        return recordCount() >= MacroCode.recordLimit
    }

    function autoSave() {
        var name = selectedName()
        if (name === "")
            return
        ui_View.saveMacroIni(name, MacroCode.actionTexts(actions()), parseInt(repeatText) || 0)
        modifyMacroData(name)
    }

    function sendMacro(index, macroName) {
        var macro = MacroCode.parseMacro(ui_View.loadMacroIni(macroName))
        if (macro === null)
            return
        var bytes = MacroCode.deCode(macro.actions, parseInt(macro.repeat) || 0, function (label) {
            return keyNames.strTokeycode(label)
        })
        ui_View.mouseSendMacroData(bytes, index)
    }

    // --- Recording ---

    function startRecording() {
        closeMenus()
        actionModel.clear()
        currentAction = -1
        ticks = 0
        tickTimer.start()
        isInputting = true
    }

    function toggleRecording() {
        if (isInputting)
            stopRecording()
        else if (selectedName() !== "")
            startRecording()
    }

    // Without a desktop-wide capture, a recording sees only what reaches this window.
    function recordsOnlyThisWindow() {
        return isInputting && typeof ui_View.isGlobalInputCapture === "function"
               && !ui_View.isGlobalInputCapture()
    }

    function stopRecording() {
        if (!isInputting)
            return
        tickTimer.stop()
        isInputting = false
        autoSave()
    }

    function detectKeyboard(isDown, usbCode) {
        if (!isInputting || isFull())
            return
        var label = keyNames.keycodeTostr(usbCode)
        if (label === "")
            return
        if (actionModel.count > 0 && recordDelays)
            actionModel.append({ "type": 0, "info": String(ticks * 10) })
        ticks = 0
        actionModel.append({ "type": MacroCode.inputType(isDown, usbCode), "info": label })
        actionRecorded()
    }

    // --- Editing ---

    function pressAction(index) {
        macroEditorFocus()
        currentAction = index
    }

    // The action menu is for a selected macro that is not being recorded.
    function canEditActions() {
        return !isInputting && selectedName() !== ""
    }

    // Only a delay has a value to edit, and not while recording.
    function canEditDelay(index) {
        return !isInputting && index >= 0 && index < actionModel.count
               && actionModel.get(index).type === 0
    }

    function deleteAction() {
        if (currentAction < 0)
            return
        actionModel.remove(currentAction)
        currentAction = Math.min(currentAction, actionModel.count - 1)
        autoSave()
    }

    function insertDelay() {
        if (isFull() || selectedName() === "")
            return
        var at = currentAction >= 0 ? currentAction : actionModel.count
        actionModel.insert(at, { "type": 0, "info": "50" })
        currentAction = at
        autoSave()
    }

    // The pair press, release of a label; before the selected action for keys, after it for
    // mouse buttons; at the end when the last action (or nothing) is selected.
    function insertPair(pressType, label, after) {
        var at = MacroCode.pairPosition(currentAction, actionModel.count, after)
        actionModel.insert(at, { "type": pressType, "info": label })
        actionModel.insert(at + 1, { "type": pressType + 1, "info": label })
        autoSave()
    }

    function openInsertKey() {
        if (isFull() || selectedName() === "")
            return
        insertLabel = ""
        isInsertting = true
        insertOpen = true
    }

    function detectInput(isDown, usbCode) {
        if (isInsertting && usbCode < 0xF0) {
            var label = keyNames.keycodeTostr(usbCode)
            if (label !== "")
                insertLabel = label
        }
    }

    function closeInsertKey(accept) {
        isInsertting = false
        insertOpen = false
        if (accept && insertLabel !== "")
            insertPair(1, insertLabel, false)
    }

    function insertMouseButton(code) {
        if (isFull() || selectedName() === "")
            return
        insertPair(3, keyNames.keycodeTostr(code), true)
    }

    function setDelay(index, text) {
        var ms = parseInt(text)
        if (isNaN(ms) || index < 0 || index >= actionModel.count)
            return
        actionModel.setProperty(index, "info", String(Math.max(0, Math.min(65535, ms))))
        autoSave()
    }

    function macroMenuCmd(cmd) {
        closeMenus()
        if (cmd === 0)
            deleteSelected()
        else if (cmd === 1)
            importMacro()
        else if (cmd === 2)
            exportMacro()
    }

    function actionMenuCmd(cmd) {
        closeMenus()
        switch (cmd) {
        case 0: deleteAction(); break
        case 1: insertDelay(); break
        case 2: openInsertKey(); break
        case 3: insertMouseButton(0xF0); break
        case 4: insertMouseButton(0xF2); break
        case 5: insertMouseButton(0xF1); break
        }
    }

    function closeMenus() {
        menusClosing()
    }

    // A press elsewhere in the panel (or on the mask) closes the menus and ends an edit.
    function macroEditorFocus() {
        closeMenus()
        editsEnding()
    }

    function close() {
        stopRecording()
        closeInsertKey(false)
        closeMenus()
        visible = false
        mask.visible = false
    }

    onBackgroundPressed: macroEditorFocus()
    // The controls are built on the first opening, and kept.
    onVisibleChanged: {
        if (visible && body.status === Loader.Null)
            body.setSource(Qt.resolvedUrl("MacroEditorView.qml"), { "page": macroEditor })
    }
    onCloseClicked: close()

    Timer {
        id: tickTimer
        objectName: "tickTimer"
        interval: 10
        repeat: true
        onTriggered: macroEditor.ticks += 1
    }

    Loader {
        id: body
        anchors.fill: parent
    }
}

