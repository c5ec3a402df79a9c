// Profile page: up to six named profiles, kept as name list 2 of the name store (each string is
// the name followed by the profile number as one digit). The list model is shared with the
// profile drop-down of the top bar.
//
// An entry's stored number, never its row, names its profile file: switching, import, New and
// the selection all go through the number, so deleting an entry in the middle of the list
// cannot make a later choice reach another profile's file.
import QtQuick
import modules.qml

PanelFrame {
    id: profile
    width: 415
    height: 288 + autoSwitchRules.height + 12
    visible: false
    titleText: Values.langText(profileLang, 0)

    property var profileLang: ["config", "New", "Import", "Delete", "Export", "Standard"]
    property int profileNo: 0 // the active profile's number
    property alias profileDataModel0: profileModel
    property alias menuModel: profileMenuModel // the entries of the right-click menu
    property int selectedRow: 0
    property int editingRow: -1
    readonly property int maxProfiles: 6
    readonly property string listTerminator: "loadermarlow"
    property bool menuShown: false // the right-click menu of the selected entry
    // The mask behind the pages, hidden when this page closes.
    required property Item mask
    required property DropDownList topBarProfiles // the top bar's list of the same entries
    property string language // the program's language, for the texts of the rules

    signal changeProfile(int tmpProfileNo)
    // An import replaced the current profile's file: its pages read it again.
    signal currentProfileLoaded

    onProfileNoChanged: selectNumber(profileNo)

    function numberOfRow(row) {
        return row >= 0 && row < profileModel.count ? profileModel.get(row).profileNo : -1
    }
    function rowOfNumber(number) {
        for (var i = 0; i < profileModel.count; ++i)
            if (profileModel.get(i).profileNo === number)
                return i
        return -1
    }
    function selectNumber(number) {
        var row = rowOfNumber(number)
        if (row >= 0)
            selectedRow = row
    }
    function hasName(name) {
        for (var i = 0; i < profileModel.count; ++i)
            if (profileModel.get(i).textValue === name)
                return true
        return false
    }
    // The top bar's drop-down shows the active profile's row.
    function syncTopBar() {
        topBarProfiles.currentSelect = rowOfNumber(profileNo)
    }

    function readStoredList() {
        if (typeof ui_View.getNameList !== "function")
            return []
        var stored = ui_View.getNameList(NameList.Profiles)
        if (!stored)
            return []
        var list = new Array()
        for (var i = 0; i < stored.length; ++i)
            list.push(String(stored[i]))
        if (list.length === 2 && list[1] === listTerminator)
            list.pop()
        return list
    }
    function storeList() {
        var strings = new Array()
        for (var i = 0; i < profileModel.count; ++i) {
            var entry = profileModel.get(i)
            strings.push(entry.textValue + entry.profileNo)
        }
        if (typeof ui_View.updataNameList === "function")
            ui_View.updataNameList(NameList.Profiles, strings)
    }

    function init() {
        profileMenuModel.setProperty(0, "textValue", Values.langText(profileLang, 3))
        profileMenuModel.setProperty(1, "textValue", Values.langText(profileLang, 4))
        profileModel.clear()
        var stored = readStoredList()
        // An entry needs a profile number 0..5 that no earlier entry has; others are dropped.
        for (var i = 0; i < stored.length && profileModel.count < maxProfiles; ++i) {
            var text = stored[i]
            var number = parseInt(text.charAt(text.length - 1))
            if (text.length === 0 || isNaN(number) || number >= maxProfiles
                    || rowOfNumber(number) >= 0)
                continue
            profileModel.append({ "textValue": text.substring(0, text.length - 1),
                                  "profileNo": number })
        }
        if (profileModel.count === 0)
            profileModel.append({ "textValue": "", "profileNo": 0 })
        profileModel.setProperty(0, "textValue", Values.langText(profileLang, 5))
        storeList()
        selectNumber(profileNo)
    }

    // Steps shared by New and Import: a free name and number, appended and selected. Returns the
    // number, or -1 when all six are in use.
    function addEntry() {
        if (profileModel.count >= maxProfiles)
            return -1
        var n = 0
        while (n < 12 && hasName("profile_" + n))
            ++n
        var number = 0
        while (rowOfNumber(number) >= 0)
            ++number
        profileModel.append({ "textValue": "profile_" + n, "profileNo": number })
        selectedRow = profileModel.count - 1
        storeList()
        return number
    }

    function newProfile() {
        var number = addEntry()
        if (number >= 0)
            ui_View.resetProfile(number)
    }

    // Import goes into a new entry, or with six entries into the selected one. A cancelled or
    // refused import takes the new entry back.
    function importProfile() {
        var number = addEntry()
        var added = number >= 0
        if (!added)
            number = numberOfRow(selectedRow)
        if (ui_View.loadProfile(number)) {
            if (number === profileNo)
                currentProfileLoaded()
            return
        }
        if (added) {
            profileModel.remove(profileModel.count - 1)
            selectNumber(profileNo)
            storeList()
        }
    }

    function deleteSelected() {
        if (selectedRow <= 0 || numberOfRow(selectedRow) === profileNo)
            return
        profileModel.remove(selectedRow)
        selectNumber(profileNo)
        syncTopBar()
        storeList()
    }

    function renameRow(row, name) {
        editingRow = -1
        if (name.length === 0 || hasName(name))
            return
        profileModel.setProperty(row, "textValue", name)
        storeList()
    }

    function profileMenuCmd(cmd) {
        menuShown = false
        if (cmd === 0)
            deleteSelected()
        else if (cmd === 1)
            ui_View.saveProfile(profileNo)
        else if (cmd === 2)
            importProfile()
    }

    // A press on a row selects it; a right press also opens the menu (placed by the view).
    function pressRow(row, openMenu) {
        profileFocus()
        selectedRow = row
        if (openMenu)
            menuShown = true
    }
    function editRow(row) {
        editingRow = row
    }

    function profileFocus() {
        menuShown = false
        if (editingRow >= 0)
            profile.forceActiveFocus() // the open editor accepts on losing focus
    }

    onVisibleChanged: {
        if (visible && body.status === Loader.Null)
            body.setSource(Qt.resolvedUrl("ProfileView.qml"), { "page": profile })
    }
    onBackgroundPressed: profileFocus()
    onCloseClicked: {
        profileFocus()
        profile.visible = false
        mask.visible = false
    }

    ListModel {
        id: profileModel
    }
    ListModel {
        id: profileMenuModel
        ListElement { textValue: "Delete" }
        ListElement { textValue: "Export" }
    }

    // Built at start with the page's state: the rules of the selected entry.
    AutoSwitchRules {
        id: autoSwitchRules
        x: 16
        y: 6 * 28 + 28
        width: parent.width - 32
        profileNo: profile.numberOfRow(profile.selectedRow)
        language: profile.language
    }

    // The list and its buttons (ProfileView) are built when the page first opens, and kept.
    Loader {
        id: body
        anchors.fill: parent
    }
}
