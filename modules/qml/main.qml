// The main scene: the root functions the native side calls (initUI, run, setProtectUI,
// setCurrentDPI, detectKeyboard, detectMouse, controlUIEnable, chooseProfile) over the main
// screen (MainScreen.qml) and the pages shown over it (Overlays.qml). The two are wired here:
// what each shows of the other and of the root is set on its properties, and what the user asks
// of them arrives as their signals. Their items are named on the root for the functions here
// and for whoever reads the scene from outside. Both are built by the first initUI, after the
// start-up picture has been drawn (see buildScene).
pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

Item {
    id: mainIten
    width: 1024
    height: 640
    visible: false

    property var mainLang: ["Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config",
        "Reset", "Reset factory setting", "Cancel", "OK", "System setting", "Save", "", "", "", ""]
    // The shared look comes from Theme; the names stay on the root for whoever reads them there.
    readonly property int skin_No: Theme.skin_No
    readonly property string fontFamily: Theme.fontFamily
    readonly property int fontNormalSize: Theme.fontNormalSize
    readonly property int fontMiddleSize: Theme.fontMiddleSize
    readonly property int fontMaxSize: Theme.fontMaxSize
    readonly property int fontMinSize: Theme.fontMinSize
    readonly property color fontColor: Theme.fontColor
    readonly property color colorGray0: Theme.colorGray0
    readonly property color colorGray1: Theme.colorGray1
    readonly property color colorGray2: Theme.colorGray2
    readonly property color colorGray3: Theme.colorGray3
    readonly property color colorBlue: Theme.colorBlue
    readonly property color colorOrange: Theme.colorOrange
    readonly property color colorBlack: Theme.colorBlack
    property string language: "ChineseSimplified"
    property string url: "https://support.orbis-mouse.example/"
    property bool isColorful: false
    property bool isGun: true
    property string icType: "553-24"
    property bool isPownOn: false

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int code, int x, int y)

    // The value helpers (the Values singleton), on the root under their own names.
    function textSetting(value, current) { return Values.textSetting(value, current) }
    function intSetting(value, current) { return Values.intSetting(value, current) }
    function boolSetting(value, current) { return Values.boolSetting(value, current) }
    // A global setting, undefined when the key is missing (the bridge gives null).
    function globalValue(key) {
        var value = ui_View.getGlobalData(key)
        return value === null ? undefined : value
    }

    // --- Root functions called by the native side ---

    function initUI() {
        buildScene()
        setProtectUI(1000)
        mainIten.visible = true
        if (!isPownOn) {
            isColorful = boolSetting(globalValue("mouse/isColorful"), isColorful)
            icType = textSetting(globalValue("mouse/icType"), icType)
            isGun = boolSetting(globalValue("mouse/isGun"), isGun)
            mouseMain.keyCount = intSetting(globalValue("mouse/keyCount"), mouseMain.keyCount)
            language = textSetting(globalValue("common/language"), language)
            url = textSetting(globalValue("common/url"), url)
            askModel.setProperty(0, "textValue", url)

            if (icType === "560") {
                if (parseInt(ui_View.mouseReadCurrentProfile()) !== 1)
                    hid.hid560_02H_SetCurrentProfile(1)
            }

            loadLanguage()

            mainScreen.reportRateRect.init(false)
            profileMain.init()
            profileMain.profileNo = intSetting(globalValue("mouse/profileNo"), profileMain.profileNo)
            upItem.profileBtn.currentSelect = profileMain.rowOfNumber(profileMain.profileNo)
            upItem.profileBtn.closeMenu()
            console.log("profileNo", profileMain.profileNo)
            ui_View.setCurrentProfile(profileMain.profileNo)

            macroEditorMain.init()
            gunControlMain.init()
            keyAssigmentMain.init()
            keyMatrixMain.init(false, false)
            dpiSettingMain.init(false, false)
            lightControlMain.init(false, false)
            systemSettingMain.init(false, false)
            isPownOn = true
        }
        dpiSettingMain.currentDPI = intSetting(ui_View.mouseGetCurrentDPI(), 0) - 1
    }

    // The texts of every page from the language file of the current language.
    function loadLanguage() {
        mainLang = ui_View.getLangStrings("main", language)
        keyMatrixMain.keyMatrixLang = ui_View.getLangStrings("keyMatrix", language)
        keyAssigmentMain.keyAssigmentLang = ui_View.getLangStrings("keyAssigment", language)
        dpiSettingMain.dpiSettingLang = ui_View.getLangStrings("dpiSetting", language)
        lightControlMain.lightControlLang = ui_View.getLangStrings("lightControl", language)
        macroEditorMain.macroEditorLang = ui_View.getLangStrings("macroEditor", language)
        systemSettingMain.systemSettingLang = ui_View.getLangStrings("systemSetting", language)
        gunControlMain.gunControlLang = ui_View.getLangStrings("gunControl", language)
        profileMain.profileLang = ui_View.getLangStrings("profile", language)
        _KeyCodeString.keyCodeStr = ui_View.getLangStrings("keyCode", language)
        ui_View.getLangStrings("other", language)
    }

    // The system page's language choice: stored and applied to the native texts by the
    // bridge, and to the scene at once.
    function chooseLanguage(code) {
        if (code === language)
            return
        ui_View.setLanguage(code)
        language = code
        loadLanguage()
    }

    function run() {
    }

    function setProtectUI(interval) {
        if (sceneBuilt)
            protectUIItem.setBusy(true)
        ui_View.setEnabled(false)
        tmrProtectUI.interval = intSetting(interval, 0)
        tmrProtectUI.restart()
    }

    function setCurrentDPI(dpiValue) {
        var stage = intSetting(dpiValue, 0)
        if (stage !== 0 && sceneBuilt)
            dpiSettingMain.currentDPI = stage - 1
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, code, x, y) {
        msg_MS(isDown, code, x, y)
    }

    // --- Root functions used by the pages ---

    // Commits the input field the user is typing in, if any: the scene's root takes the focus
    // back, and the field commits as when it is left. Called before anything reads a page's
    // fields (Save, closing a page, a profile switch, a factory reset, choosing another colour
    // block or macro); the root having the focus is also what lets Esc reach closeTopmost.
    function commitInputs() {
        mainIten.forceActiveFocus()
    }

    function mainFocus() {
        commitInputs()
        if (!sceneBuilt)
            return
        mainScreen.reportRateRect.closeMenu()
        dpiSettingMain.closeMenu()
        upItem.profileBtn.closeMenu()
        lightControlMain.closeMenu()
        askMenu.visible = false
    }

    function controlUIEnable(isEnable) {
        if (sceneBuilt)
            protectUIItem.setBusy(!isEnable)
        ui_View.setEnabled(isEnable)
    }

    function askMenuCmd(cmd) {
        if (cmd === 0)
            Qt.openUrlExternally(url)
        askMenu.visible = false
    }

    // Shows a page over the mask, centred when asked to: placed first, so that its first frame
    // is already where it belongs.
    function openPage(page, centred) {
        if (centred) {
            page.x = (mainIten.width - page.width) / 2
            page.y = (mainIten.height - page.height) / 2
        }
        page.visible = true
        mainMask.visible = true
        mainFocus()
    }

    // Before the program ends: the open pages close the way their close buttons do, so what a
    // page sends on closing (the gun slots after a change) reaches the mouse.
    function closePages() {
        commitInputs()
        if (!sceneBuilt)
            return
        for (var i = 0; i < 8 && overlays.closeFront(); ++i) {
        }
    }

    // Esc: closes the reset confirmation, else the front page (the way its close button
    // does), else every open menu.
    function closeTopmost() {
        commitInputs()
        if (sceneBuilt && !overlays.closeFront())
            mainFocus()
    }
    focus: true
    Keys.onEscapePressed: function (event) {
        closeTopmost()
        event.accepted = true
    }

    function openKeyAssigment(index) {
        keyAssigmentMain.show(index)
        openPage(keyAssigmentMain, true)
        mouseMain.selectKey = index
    }

    // Re-reads every page of the current profile and sends it (profile switch and reset).
    function reloadProfilePages() {
        keyMatrixMain.init(true, false)
        mainScreen.reportRateRect.init(true)
        dpiSettingMain.init(true, false)
        lightControlMain.init(true, false)
        systemSettingMain.init(true, false)
        if (isGun) {
            ui_View.mouseSwitchKeyMatrix(1)
            ui_View.mouseResetKeyMatrix()
        }
    }

    // The sequences that talk to the mouse run through the bridge's one queue (runSequence):
    // it shows the busy state (controlUIEnable) and lets it be drawn before the first transfer,
    // runs one sequence at a time, and ends the busy state after the last. What a step reads, it
    // reads when the sequence runs, which may be after the one running at the request.
    function saveAll() {
        mainFocus()
        if (!(keyMatrixMain.isSave || dpiSettingMain.isSave || lightControlMain.isSave))
            return
        ui_View.runSequence("save", function () {
            if (keyMatrixMain.isSave) {
                keyMatrixMain.isSave = false
                keyMatrixMain.modKeys.saveData()
            }
            if (dpiSettingMain.isSave) {
                dpiSettingMain.isSave = false
                dpiSettingMain.saveData(true)
            }
            if (lightControlMain.isSave) {
                lightControlMain.isSave = false
                lightControlMain.saveData(true, 0)
            }
        })
    }

    function resetFactory() {
        commitInputs()
        factorysure.visible = false
        mainMask.visible = false
        ui_View.runSequence("reset", function () {
            keyMatrixMain.isSave = false
            dpiSettingMain.isSave = false
            lightControlMain.isSave = false
            ui_View.resetProfile(profileMain.profileNo)
            reloadProfilePages()
            ui_View.mouseSetCurrentDPI(2)
            dpiSettingMain.currentDPI = 1
            gunControlMain.resetData()
        })
    }

    // A profile chosen from outside the scene (the command line): the top bar's row of the entry
    // whose stored number is profileNo, chosen as a click would. A number that no entry has
    // changes nothing.
    function chooseProfile(profileNo) {
        var row = sceneBuilt ? profileMain.rowOfNumber(intSetting(profileNo, -1)) : -1
        if (row < 0) {
            console.log("no profile entry numbered " + profileNo)
            return
        }
        upItem.profileBtn.chooseRow(row)
    }

    // Pending switches collapse to the newest; one to the profile that is current by the time
    // it runs changes nothing.
    function switchProfile(tmpProfileNo) {
        commitInputs() // a value still being typed belongs to the profile it was typed for
        ui_View.runSequence("profile", function () {
            if (tmpProfileNo === profileMain.profileNo)
                return
            profileMain.profileNo = tmpProfileNo
            ui_View.setGlobalData("mouse/profileNo", tmpProfileNo)
            ui_View.setCurrentProfile(tmpProfileNo)
            reloadProfilePages()
        })
    }

    // Indices of the key-matrix buttons that play the named macro.
    function macroKeys(macroName) {
        return keyMatrixMain.macroKeys(macroName)
    }

    // --- The two steps of the start ---

    // The main screen and the pages are built once, by the first initUI: until then the scene is
    // only the start-up picture, which the native side shows (showStartPicture) and lets the
    // window draw before the rest is built behind it.
    property MainScreen mainScreen: null
    property Overlays overlays: null
    readonly property bool sceneBuilt: mainScreen !== null && overlays !== null

    function showStartPicture() {
        mainIten.visible = true
    }

    function buildScene() {
        if (sceneBuilt)
            return
        sceneParts.createObject(mainIten)
        upItem.profileBtn.mdItems = profileMain.profileDataModel0
        askModel.setProperty(0, "textValue", url)
        // The program's version, the one --version prints.
        if (Qt.application.version !== "")
            askModel.setProperty(1, "textValue", "verison:" + Qt.application.version)
    }

    onMsg_KB: function (isDown, usbCode) {
        if (sceneBuilt)
            overlays.detectKeyboard(isDown, usbCode)
    }

    DragArea {
        id: dragRegion
        objectName: "dragRegion"
        onPressedAt: mainIten.mainFocus()
    }

    Image {
        id: powerOnLogo
        objectName: "powerOnLogo"
        anchors.centerIn: parent
        source: Theme.sourcePowerOn
    }

    Timer {
        id: tmrProtectUI
        objectName: "tmrProtectUI"
        interval: 1000
        repeat: false
        onTriggered: {
            ui_View.setEnabled(true)
            if (!mainIten.sceneBuilt)
                return
            protectUIItem.setBusy(false)
            if (powerOnLogo.visible) {
                powerOnLogo.visible = false
                mainIten.envItem.visible = true
                mainIten.panelleft.visible = true
                mainIten.bottomBar.visible = true
                mainIten.panelRight.visible = true
                mainIten.upItem.visible = true
                mainIten.mouseMain.visible = true
            }
        }
    }

    Component {
        id: sceneParts
        Item {
            anchors.fill: parent
            Component.onCompleted: {
                mainIten.mainScreen = screenPart
                mainIten.overlays = pagesPart
            }

            MainScreen {
                id: screenPart
                anchors.fill: parent
                mainLang: mainIten.mainLang
                isGun: mainIten.isGun
                isColorful: mainIten.isColorful
                keyAssignment: pagesPart.keyAssigmentMain
                macroEditor: pagesPart.macroEditorMain
                onKeyAssignmentRequested: function (index) { mainIten.openKeyAssigment(index) }
                onMacroEditorRequested: mainIten.openPage(pagesPart.macroEditorMain, true)
                onGunEditorRequested: {
                    pagesPart.gunControlMain.gunListIndex = pagesPart.gunControlMain.selectGun1
                    mainIten.openPage(pagesPart.gunControlMain, true)
                }
                onSystemSettingRequested: mainIten.openPage(pagesPart.systemSettingMain, true)
                onProfilesRequested: mainIten.openPage(pagesPart.profileMain, true)
                onResetRequested: mainIten.openPage(pagesPart.factorysure, true)
                onSaveRequested: mainIten.saveAll()
                onHelpRequested: {
                    mainIten.mainFocus()
                    pagesPart.askMenu.visible = true
                }
                onMaskPressed: pagesPart.closePageMenus()
            }
            Overlays {
                id: pagesPart
                anchors.fill: parent
                mask: screenPart.mainMask
                keyMatrix: screenPart.keyMatrixMain
                mousePicture: screenPart.mouseMain
                topBarProfiles: screenPart.upItem.profileBtn
                keyNames: _KeyCodeString
                startLogo: powerOnLogo
                isGun: mainIten.isGun
                language: mainIten.language
                mainLang: mainIten.mainLang
                onLanguageChosen: function (code) { mainIten.chooseLanguage(code) }
                onProfileChosen: function (profileNo) { mainIten.switchProfile(profileNo) }
                onProfileLoaded: mainIten.reloadProfilePages()
                onResetConfirmed: mainIten.resetFactory()
                onHelpCommand: function (cmd) { mainIten.askMenuCmd(cmd) }
            }
        }
    }

    KeyCodeString {
        id: _KeyCodeString
        objectName: "_KeyCodeString"
    }

    // The items of both, by the names the root functions use: null until the scene is built.
    readonly property Environment envItem: mainScreen ? mainScreen.envItem : null
    readonly property Column panelleft: mainScreen ? mainScreen.panelleft : null
    readonly property KeyMatrix keyMatrixMain: mainScreen ? mainScreen.keyMatrixMain : null
    readonly property Row bottomBar: mainScreen ? mainScreen.bottomBar : null
    readonly property Column panelRight: mainScreen ? mainScreen.panelRight : null
    readonly property DpiSetting dpiSettingMain: mainScreen ? mainScreen.dpiSettingMain : null
    readonly property LightControl lightControlMain: mainScreen ? mainScreen.lightControlMain : null
    readonly property Menu_Up upItem: mainScreen ? mainScreen.upItem : null
    readonly property Mouse mouseMain: mainScreen ? mainScreen.mouseMain : null
    readonly property Rectangle mainMask: mainScreen ? mainScreen.mainMask : null
    readonly property MacroEditor macroEditorMain: overlays ? overlays.macroEditorMain : null
    readonly property GunControl gunControlMain: overlays ? overlays.gunControlMain : null
    readonly property SystemSetting systemSettingMain: overlays ? overlays.systemSettingMain : null
    readonly property KeyAssigment keyAssigmentMain: overlays ? overlays.keyAssigmentMain : null
    readonly property Profile profileMain: overlays ? overlays.profileMain : null
    readonly property PanelFrame factorysure: overlays ? overlays.factorysure : null
    readonly property BusyIndicator protectUIItem: overlays ? overlays.protectUIItem : null
    readonly property Rectangle askMenu: overlays ? overlays.askMenu : null
    readonly property ListModel askModel: overlays ? overlays.askModel : null
}
