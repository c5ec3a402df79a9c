// Gun editor page: the six recoil presets of the gun file and the preset of each of the three
// gun slots. A preset edit is saved to the gun file at once; the slots reach the mouse when the
// page is closed after a change (and on a factory reset), followed by the key matrix.
// This object holds the presets, the slots and every step of editing them; its controls
// (GunControlView) are built the first time the page opens, and kept.
import QtQuick
import modules.qml

PanelFrame {
    id: gunControl
    objectName: "gunControlMain"
    width: 640
    height: 448
    visible: false
    titleText: Values.langText(gunControlLang, 0)

    property var gunControlLang: ["Gun editor", "Gun", "Select gun", "Cursor Adjust", "X Axis",
        "Y axis", "Fire adjust", "Rate", "Times", "Endness"]
    // Preset position of gun slots 1, 2 and 3 (mirrored in the global mouse/selectGun).
    property int selectGun1: 0
    property int selectGun2: 1
    property int selectGun3: 2
    property int gunListIndex: 0 // the preset shown
    property bool isChanged: false
    readonly property var builtInNames: ["M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"]
    readonly property var fieldNames: ["name", "triggerKey", "period", "xAdjust", "yAdjust",
        "times"]
    // The red dot's centre travels from dotTop (Y 0) to dotTop + dotTravel (Y 64) in the target.
    readonly property int dotTop: 89
    readonly property int dotTravel: 94
    readonly property int maxAdjust: 64
    property int currentSlot: 0 // the slot shown, 0..2
    // The mask behind the pages, hidden when this page closes.
    required property Item mask
    required property KeyMatrix keyMatrix // its buttons are sent after the slots
    property alias gunModel: gunModel
    property alias slotModel: slotModel // the slot captions (Gun1, Gun2, Gun3)
    // The controls show the preset `index` (its fields, the dot and the rate).
    signal gunLoaded(int index)
    // Asks the controls to give up the keyboard focus and close their menus.
    signal leaveFields

    onGunListIndexChanged: loadGunData(gunListIndex)
    // Opening shows slot 1 and its preset, so a click on a preset assigns it to the slot shown.
    // The controls are built on the first opening, and kept.
    onVisibleChanged: {
        if (!visible)
            return
        if (body.status === Loader.Null)
            body.setSource(Qt.resolvedUrl("GunControlView.qml"), { "page": gunControl })
        currentSlot = 0
        showGun(selectGun1)
    }

    function slotGun(slot) {
        return slot === 0 ? selectGun1 : slot === 1 ? selectGun2 : selectGun3
    }
    function setSlotGun(slot, index) {
        if (slot === 0)
            selectGun1 = index
        else if (slot === 1)
            selectGun2 = index
        else
            selectGun3 = index
    }
    function field(index, name) {
        return index >= 0 && index < gunModel.count ? String(gunModel.get(index)[name]) : ""
    }
    function intField(index, name) {
        var n = parseInt(field(index, name))
        return isNaN(n) ? 0 : n
    }
    function gunImage(name) {
        return "qrc:/gun/modules/img/skin1/gun/" + name + ".png"
    }
    function dotPosition(y) {
        return dotTravel * y / maxAdjust + dotTop
    }
    // The period written in front of "MS": two digits when the text has more than three
    // characters, else one.
    function periodOfText(text) {
        return text.length > 3 ? text.substring(0, 2) : text.substring(0, 1)
    }

    function init() {
        for (var s = 0; s < 3; ++s)
            slotModel.setProperty(s, "textValue", Values.langText(gunControlLang, 1) + (s + 1))
        for (var i = 0; i < gunModel.count; ++i) {
            // Only a whole entry replaces the built-in preset; a missing file, a short list or
            // text leaves it.
            var entry = ui_View.getGunData(i)
            if (!entry || entry.length < fieldNames.length)
                continue
            for (var k = 0; k < fieldNames.length; ++k)
                gunModel.setProperty(i, fieldNames[k], String(entry[k]))
            // A name without a picture of its own keeps the picture of its position.
            var name = String(entry[0])
            gunModel.setProperty(i, "image", gunImage(builtInNames.indexOf(name) >= 0
                                                      ? name : builtInNames[i]))
        }
        // The bridge gives three positions (the factory choice for a list of another length);
        // a slot whose position names no preset keeps its own number.
        var stored = Values.listSetting(ui_View.getGlobalData("mouse/selectGun"))
        for (s = 0; s < 3; ++s) {
            var n = s < stored.length ? parseInt(stored[s]) : NaN
            setSlotGun(s, n >= 0 && n < gunModel.count ? n : s)
        }
        currentSlot = 0
        showGun(selectGun1)
    }

    function showGun(index) {
        if (gunListIndex === index)
            loadGunData(index)
        else
            gunListIndex = index
    }

    function loadGunData(index) {
        gunLoaded(index)
    }

    function saveData(index, isSend) {
        var entry = new Array()
        for (var k = 0; k < fieldNames.length; ++k)
            entry.push(field(index, fieldNames[k]))
        ui_View.mouseSaveGundata(index, entry)
        isChanged = true
    }

    function setGunField(index, name, value) {
        gunModel.setProperty(index, name, String(value))
        saveData(index, false)
    }

    function storeSlots() {
        ui_View.setGlobalData("mouse/selectGun", [selectGun1, selectGun2, selectGun3])
    }

    function chooseGun(index) {
        setSlotGun(currentSlot, index)
        storeSlots()
        isChanged = true
        showGun(index)
    }

    // Sends gun slot (slot + 1) the times, X and Y of its preset.
    function sendData(slot) {
        var index = slotGun(slot)
        if (typeof ui_View.mouseSendGundata !== "function")
            return
        ui_View.mouseSendGundata(slot + 1, [intField(index, "times"), intField(index, "xAdjust"),
                                            intField(index, "yAdjust")])
    }

    function sendSlots() {
        for (var s = 0; s < 3; ++s)
            sendData(s)
    }

    function closePage() {
        gunControlFocus()
        gunControl.visible = false
        mask.visible = false
        if (!isChanged)
            return
        isChanged = false
        sendSlots()
        var keys = keyMatrix.modKeys
        if (keys && typeof keys.saveData === "function")
            keys.saveData()
    }

    function resetData() {
        selectGun1 = 0
        selectGun2 = 1
        selectGun3 = 2
        storeSlots()
        var factoryY = [5, 7, 8]
        for (var i = 0; i < 3; ++i) {
            gunModel.setProperty(i, "yAdjust", String(factoryY[i]))
            gunModel.setProperty(i, "period", "9")
        }
        for (i = 0; i < 3; ++i)
            saveData(i, false)
        sendSlots()
        currentSlot = 0
        showGun(0)
    }

    function gunControlFocus() {
        leaveFields()
    }

    // The steps of the controls.
    function chooseSlot(slot) {
        currentSlot = slot
        showGun(slotGun(slot))
    }
    // The Y adjustment a centre of the red dot stands for.
    function adjustOfDot(centre) {
        return Math.floor((centre - dotTop) / dotTravel * maxAdjust)
    }
    // Stores typed values in the preset shown, brought within their range; returns the value
    // stored.
    function setShownY(text) {
        var y = Math.max(0, Math.min(maxAdjust, Values.intSetting(text, 0)))
        setGunField(gunListIndex, "yAdjust", y)
        return y
    }
    function setShownTimes(text) {
        var times = Math.max(0, Math.min(255, Values.intSetting(text, 0)))
        setGunField(gunListIndex, "times", times)
        return times
    }

    onBackgroundPressed: gunControlFocus()
    onCloseClicked: closePage()

    ListModel {
        id: gunModel
        Component.onCompleted: {
            var names = gunControl.builtInNames
            for (var i = 0; i < names.length; ++i)
                gunModel.append({ "name": names[i], "image": gunControl.gunImage(names[i]),
                                  "triggerKey": "L-Click", "period": "10", "xAdjust": "0",
                                  "yAdjust": "10", "times": "0" })
        }
    }
    ListModel {
        id: slotModel
        ListElement { textValue: "Gun1" }
        ListElement { textValue: "Gun2" }
        ListElement { textValue: "Gun3" }
    }

    Loader {
        id: body
        anchors.fill: parent
    }
}
