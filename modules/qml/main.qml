// The main scene: the fixed panels of the main screen, every page as an overlay behind a mask,
// the scene-wide look that the pages read by name, and the root functions the native side calls
// (initUI, run, setProtectUI, setCurrentDPI, detectKeyboard, detectMouse).
import QtQuick
import "basic"
import "Vq3"

Item {
    id: mainIten
    width: 1024
    height: 640
    visible: false

    property var mainLang: ["Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config",
        "Reset", "Reset factory setting", "Cancel", "OK", "System setting", "Save", "", "", "", ""]
    property int skin_No: 1
    property string fontFamily: Qt.fontFamilies().indexOf("微软雅黑") >= 0 ? "微软雅黑"
                                                                           : "WenQuanYi Micro Hei"
    property int fontNormalSize: 12
    property int fontMiddleSize: 14
    property int fontMaxSize: 16
    property int fontMinSize: 10
    property color fontColor: "#ffffff"
    property color colorGray0: "#1a1a1a"
    property color colorGray1: "#3c3c3c"
    property color colorGray2: "#969696"
    property color colorGray3: "#d1d1d1"
    property color colorBlue: "#09347f"
    property color colorOrange: "#b20808"
    property color colorBlack: Qt.rgba(0, 0, 0, 1)
    property string language: "ChineseSimplified"
    property string url: "https://support.orbis-mouse.example/"
    property bool isColorful: false
    property bool isGun: true
    property string icType: "553-24"
    property bool isPownOn: false

    // Image URLs. Skinned images live in the resource group named after the page that uses them.
    function skinImage(group, file) {
        return "qrc:/" + group + "/modules/img/skin" + skin_No + "/" + group + "/" + file + ".png"
    }
    property url sourceBackground: "qrc:/modules/img/background.png"
    property url sourceTitleBar: "qrc:/modules/img/titleBar.png"
    property url sourceTitleLogo: "qrc:/modules/img/titleLogo.png"

    property url sourceMouseFront: skinImage("mouse", "MouseFront")
    property url sourceMouseSide: skinImage("mouse", "MouseSide")
    property url sourceMouse0: skinImage("mouse", "Mouse0")
    property url sourceMouse1: skinImage("mouse", "Mouse1")
    property url sourceMouse2: skinImage("mouse", "Mouse2")
    property url sourceMouse3: skinImage("mouse", "Mouse3")
    property url sourceMouse4: skinImage("mouse", "Mouse4")
    property url sourceMouse5: skinImage("mouse", "Mouse5")
    property url sourceMouse6: skinImage("mouse", "Mouse6")
    property url sourceMouse7: skinImage("mouse", "Mouse7")
    property url sourceMouse0S: skinImage("mouse", "Mouse0S")
    property url sourceMouse1S: skinImage("mouse", "Mouse1S")
    property url sourceMouse2S: skinImage("mouse", "Mouse2S")
    property url sourceMouse3S: skinImage("mouse", "Mouse3S")
    property url sourceMouse4S: skinImage("mouse", "Mouse4S")
    property url sourceMouse5S: skinImage("mouse", "Mouse5S")
    property url sourceMouse6S: skinImage("mouse", "Mouse6S")
    property url sourceMouse7S: skinImage("mouse", "Mouse7S")
    property url sourceMouseSide0: skinImage("mouse", "MouseSide0")
    property url sourceMouseSide1: skinImage("mouse", "MouseSide1")
    property url sourceMouseSide2: skinImage("mouse", "MouseSide2")
    property url sourceMouseSide3: skinImage("mouse", "MouseSide3")
    property url sourceMouseSide4: skinImage("mouse", "MouseSide4")
    property url sourceMouseSide5: skinImage("mouse", "MouseSide5")
    property url sourceMouseSide6: skinImage("mouse", "MouseSide6")
    property url sourceMouseSide7: skinImage("mouse", "MouseSide7")
    property url sourceMouseSide0S: skinImage("mouse", "MouseSide0S")
    property url sourceMouseSide1S: skinImage("mouse", "MouseSide1S")
    property url sourceMouseSide2S: skinImage("mouse", "MouseSide2S")
    property url sourceMouseSide3S: skinImage("mouse", "MouseSide3S")
    property url sourceMouseSide4S: skinImage("mouse", "MouseSide4S")
    property url sourceMouseSide5S: skinImage("mouse", "MouseSide5S")
    property url sourceMouseSide6S: skinImage("mouse", "MouseSide6S")
    property url sourceMouseSide7S: skinImage("mouse", "MouseSide7S")
    property url sourceMouseSidebtnN: skinImage("mouse", "mouseSidebtnN")
    property url sourceMouseSidebtnH: skinImage("mouse", "mouseSidebtnH")
    property url sourceMouseSidebtnS: skinImage("mouse", "mouseSidebtnS")
    property url sourceLightBtn: skinImage("mouse", "lightBtn")
    property url sourceLightBtnS: skinImage("mouse", "lightBtnS")

    property url sourceMinBtn: skinImage("index", "minBtn")
    property url sourceMinBtnH: skinImage("index", "minBtnH")
    property url sourceCloseBtn: skinImage("index", "closeBtn")
    property url sourceCloseBtnH: skinImage("index", "closeBtnH")
    property url sourceSureBtn: skinImage("index", "sureBtn")
    property url sourceAsk: skinImage("index", "ask")
    property url sourceAskH: skinImage("index", "askH")
    property url sourceRestBtn: skinImage("index", "restBtn")
    property url sourceRestBtnH: skinImage("index", "restBtnH")
    property url sourceRestBtnP: skinImage("index", "restBtnP")
    property url sourcePowerOn: skinImage("index", "powerOn")
    property url sourceBack: skinImage("index", "back")
    property url sourceBackH: skinImage("index", "backH")
    property url sourceDropBtn: skinImage("index", "dropBtn")
    property url sourceDropBtnU: skinImage("index", "dropBtnU")
    property url sourceSlide: skinImage("index", "slide")
    property url sourceScale: skinImage("index", "scale")
    property url sourceCheckBtn: skinImage("index", "checkBtn")

    property url sourceColorBar: skinImage("lightControl", "colorBar")
    property url sourceSpeedScale: skinImage("lightControl", "speedScale")

    property url sourceTarget: "qrc:/gun/modules/img/skin1/gun/target.png"

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int code, int x, int y)

    // String i of a language list, "" when the list is shorter (a missing group or file gives an
    // empty list, and the captions become empty rather than "undefined").
    function langText(list, i) {
        return list && i < list.length && list[i] !== undefined && list[i] !== null
               ? String(list[i]) : ""
    }

    // Settings values arrive as text (or as the value QML stored); a missing key is undefined
    // and leaves the current value in place.
    function globalValue(key) {
        var value = ui_View.getGlobalData(key)
        return value === null ? undefined : value
    }
    // A list read from the files as a JavaScript array: the bridge hands lists over as string
    // lists, which are array-like but not arrays; anything that is not a list gives [].
    function listSetting(value) {
        return value !== undefined && value !== null && typeof value === "object"
                ? Array.from(value) : []
    }
    function textSetting(value, current) {
        return value === undefined ? current : String(value)
    }
    function intSetting(value, current) {
        var n = parseInt(value)
        return isNaN(n) ? current : n
    }
    function boolSetting(value, current) {
        if (value === undefined)
            return current
        if (typeof value === "boolean")
            return value
        var text = String(value).toLowerCase()
        return text === "true" || (parseInt(text) || 0) !== 0
    }

    // --- Root functions called by the native side ---

    function initUI() {
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

            reportRateRect.init(false)
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
        protectUIItem.setBusy(true)
        ui_View.setEnabled(false)
        tmrProtectUI.interval = intSetting(interval, 0)
        tmrProtectUI.restart()
    }

    function setCurrentDPI(dpiValue) {
        var stage = intSetting(dpiValue, 0)
        if (stage !== 0)
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
        reportRateRect.closeMenu()
        dpiSettingMain.closeMenu()
        upItem.profileBtn.closeMenu()
        lightControlMain.closeMenu()
        askMenu.visible = false
    }

    function controlUIEnable(isEnable) {
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

    // Esc: closes the reset confirmation, else the front page (the way its close button
    // does), else every open menu.
    function closeTopmost() {
        commitInputs()
        if (factorysure.visible) {
            factorysure.visible = false
            mainMask.visible = false
            return
        }
        var pages = [profileMain, keyAssigmentMain, systemSettingMain, gunControlMain,
                     macroEditorMain]
        for (var i = 0; i < pages.length; ++i) {
            if (!pages[i].visible)
                continue
            if (typeof pages[i].closeClicked === "function") {
                pages[i].closeClicked()
            } else {
                pages[i].visible = false
                mainMask.visible = false
            }
            return
        }
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
        reportRateRect.init(true)
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
        var row = profileMain.rowOfNumber(intSetting(profileNo, -1))
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
        var keys = []
        for (var i = 0; i < keyMatrixMain.modKeys.count; ++i) {
            var key = keyMatrixMain.modKeys.get(i)
            if (key.keyCode0 === 4
                    && String(ui_View.getData("mouseMacroKey/" + key.keyCode2, false)) === macroName)
                keys.push(i)
        }
        return keys
    }

    Component.onCompleted: {
        upItem.profileBtn.mdItems = profileMain.profileDataModel0
        askModel.setProperty(0, "textValue", url)
        // The program's version, the one --version prints.
        if (Qt.application.version !== "")
            askModel.setProperty(1, "textValue", "verison:" + Qt.application.version)
    }

    onMsg_KB: function (isDown, usbCode) {
        var macroSelected = macroEditorMain.macroNumber_lv.currentIndex !== -1
        if (macroEditorMain.isInputting && macroSelected)
            macroEditorMain.detectKeyboard(isDown, usbCode)
        if (macroEditorMain.isInsertting && macroSelected)
            macroEditorMain.detectInput(isDown, usbCode)
        if (keyAssigmentMain.isFireInput)
            keyAssigmentMain.detectKeyboard(isDown, usbCode, 0)
        if (keyAssigmentMain.isComboInput)
            keyAssigmentMain.detectKeyboard(isDown, usbCode, 1)
    }

    // Window dragging: the window system moves the window when it can (Wayland allows no
    // other way); otherwise every move offsets the window by the distance from the press point.
    component DragArea: MouseArea {
        property point pressPoint
        property bool systemMove: false
        signal pressedAt
        anchors.fill: parent
        onPressed: function (mouse) {
            pressPoint = Qt.point(mouse.x, mouse.y)
            systemMove = mouse.button === Qt.LeftButton && ui_Ctl.startSystemMove()
            pressedAt()
        }
        onPositionChanged: function (mouse) {
            if (!pressed || systemMove)
                return
            ui_Ctl.onXChanged(mouse.x - pressPoint.x)
            ui_Ctl.onYChanged(mouse.y - pressPoint.y)
        }
    }

    DragArea {
        id: dragRegion
        objectName: "dragRegion"
        onPressedAt: mainFocus()
    }

    Image {
        id: powerOnLogo
        objectName: "powerOnLogo"
        anchors.centerIn: parent
        source: sourcePowerOn
    }

    BusyIndicator {
        id: protectUIItem
        objectName: "protectUIItem"
        anchors.horizontalCenter: parent.horizontalCenter
        y: powerOnLogo.visible ? powerOnLogo.y + powerOnLogo.height + 16
                               : (parent.height - height) / 2
        z: 99
    }

    Timer {
        id: tmrProtectUI
        objectName: "tmrProtectUI"
        interval: 1000
        repeat: false
        onTriggered: {
            ui_View.setEnabled(true)
            protectUIItem.setBusy(false)
            if (powerOnLogo.visible) {
                powerOnLogo.visible = false
                envItem.visible = true
                panelleft.visible = true
                bottomBar.visible = true
                panelRight.visible = true
                upItem.visible = true
                mouseMain.visible = true
            }
        }
    }

    Environment {
        id: envItem
        objectName: "envItem"
        anchors.fill: parent
        visible: false
    }

    Column {
        id: panelleft
        objectName: "panelleft"
        x: 24
        y: 88
        spacing: 8
        visible: false

        KeyMatrix {
            id: keyMatrixMain
            objectName: "keyMatrixMain"
            onEnterBtn: function (index) { mouseMain.selectKey = index }
            onLeaveBtn: function (index) {
                if (!keyAssigmentMain.visible)
                    mouseMain.selectKey = -1
            }
            onClickBtn: function (index) {
                if (!keyMatrixMain.modKeys.checkOneLeftKey())
                    openKeyAssigment(index)
            }
        }

        SectionPanel {
            id: editorPanel
            objectName: "editorPanel"
            titleText: langText(mainLang, 0)
            height: isGun ? 100 : 76
            Column {
                x: 8
                spacing: 8
                TextButton {
                    objectName: "macroEditorOpenBtn"
                    width: 216
                    textValue: langText(mainLang, 1)
                    normalColor: "transparent"
                    textAlign: Text.AlignLeft
                    onClicked: openPage(macroEditorMain, true)
                }
                TextButton {
                    objectName: "gunEditorOpenBtn"
                    width: 216
                    visible: isGun
                    textValue: langText(mainLang, 2)
                    normalColor: "transparent"
                    textAlign: Text.AlignLeft
                    onClicked: {
                        gunControlMain.gunListIndex = gunControlMain.selectGun1
                        openPage(gunControlMain, true)
                    }
                }
            }
        }

        Rectangle {
            id: reportRateRect
            objectName: "reportRateRect"
            width: 232
            height: 42
            radius: 4
            color: Qt.rgba(0, 0, 0, 0.55)
            border.color: colorGray1

            // List index to the rate code the device takes.
            function rateCode(index) {
                return index === 0 ? 8 : index === 1 ? 4 : index === 2 ? 2 : 1
            }
            function init(isSendData) {
                var index = intSetting(ui_View.getData("mouse/reportRate", false), 0)
                reportRateList.currentSelect = index
                if (isSendData)
                    ui_View.mouseSetReportRate(rateCode(index))
            }
            function closeMenu() {
                reportRateList.closeMenu()
            }

            Text {
                x: 12
                anchors.verticalCenter: parent.verticalCenter
                text: langText(mainLang, 3)
                font.family: fontFamily
                font.pixelSize: fontMiddleSize
                font.bold: true
                color: fontColor
            }
            DropDownList {
                id: reportRateList
                objectName: "reportRateList"
                anchors.right: parent.right
                anchors.rightMargin: 9
                anchors.verticalCenter: parent.verticalCenter
                width: 120
                dropUp: true
                mdItems: ListModel {
                    ListElement { textValue: "125Hz" }
                    ListElement { textValue: "250Hz" }
                    ListElement { textValue: "500Hz" }
                    ListElement { textValue: "1000Hz" }
                }
                onValueChange: function (index) {
                    ui_View.setData("mouse/reportRate", index)
                    ui_View.mouseSetReportRate(reportRateRect.rateCode(index))
                }
            }
        }

        TextButton {
            width: 232
            textValue: langText(mainLang, 9)
            normalColor: colorBlack
            onClicked: openPage(systemSettingMain, true)
        }
    }

    Row {
        id: bottomBar
        objectName: "bottomBar"
        anchors.right: parent.right
        anchors.rightMargin: 24
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 8
        spacing: 16
        visible: false

        TextButton {
            id: configBtn
            objectName: "configBtn"
            textValue: langText(mainLang, 4)
            onClicked: openPage(profileMain, true)
        }
        TextButton {
            id: resetBtn
            objectName: "resetBtn"
            textValue: langText(mainLang, 5)
            onClicked: {
                factorysure.x = (mainIten.width - factorysure.width) / 2
                factorysure.y = (mainIten.height - factorysure.height) / 2
                factorysure.visible = true
                mainMask.visible = true
                mainFocus()
            }
        }
        TextButton {
            id: saveBtn
            objectName: "saveBtn"
            textValue: langText(mainLang, 10)
            normalColor: keyMatrixMain.isSave || dpiSettingMain.isSave || lightControlMain.isSave
                         ? "#ff3030" : colorBlue
            onClicked: saveAll()
        }
    }

    Column {
        id: panelRight
        objectName: "panelRight"
        x: 768
        y: 56
        spacing: 8
        visible: false

        DpiSetting {
            id: dpiSettingMain
            objectName: "dpiSettingMain"
        }
        LightControl {
            id: lightControlMain
            objectName: "lightControlMain"
        }
    }

    Menu_Up {
        id: upItem
        objectName: "upItem"
        x: 920
        y: 16
        visible: false
        onBtnClicked: function (btnIndex) {
            if (btnIndex === 0) {
                ui_Ctl.onMinimize()
            } else if (btnIndex === 1) {
                ui_Ctl.onClose()
            } else {
                mainFocus()
                askMenu.visible = true
            }
        }
    }

    Connections {
        target: upItem.profileBtn
        // The row's stored profile number, not the row, names the profile.
        function onValueChange(index) {
            var number = profileMain.numberOfRow(index)
            if (number >= 0)
                profileMain.changeProfile(number)
        }
    }

    Mouse {
        id: mouseMain
        objectName: "mouseMain"
        visible: false
        onClickBtn: function (index) { openKeyAssigment(index) }
    }

    Rectangle {
        id: mainMask
        objectName: "mainMask"
        anchors.fill: parent
        color: "#90000000"
        visible: false
        DragArea {
            hoverEnabled: true // the controls under the mask stay unlit
            onPressedAt: {
                if (macroEditorMain.visible)
                    macroEditorMain.macroEditorFocus()
                if (profileMain.visible)
                    profileMain.profileFocus()
                if (gunControlMain.visible)
                    gunControlMain.gunControlFocus()
                if (lightControlMain.visible)
                    lightControlMain.lightControlFocus()
                if (systemSettingMain.visible)
                    systemSettingMain.systemSettingFocus()
            }
        }
    }

    MacroEditor {
        id: macroEditorMain
        onDeleteMacro: function (macroName) {
            var keys = macroKeys(macroName)
            for (var i = 0; i < keys.length; ++i) {
                var k = keys[i]
                var factory = keyMatrixMain.modKeys_tmp.get(k)
                keyMatrixMain.modKeys.set(k, { "keyCode0": factory.keyCode0,
                                               "keyCode1": factory.keyCode1,
                                               "keyCode2": factory.keyCode2,
                                               "keyCode3": factory.keyCode3,
                                               "keyText": factory.keyText })
            }
            if (keys.length > 0)
                keyMatrixMain.modKeys.saveData()
            ui_View.deleteMacroUpdateProfile(macroName)
        }
        onModifyMacroName: function (oldMacroName, newMacroName) {
            var keys = macroKeys(oldMacroName)
            for (var i = 0; i < keys.length; ++i) {
                var key = keyMatrixMain.modKeys.get(keys[i])
                ui_View.setData("mouseMacroKey/" + key.keyCode2, newMacroName)
                keyMatrixMain.modKeys.setProperty(keys[i], "keyText", newMacroName)
            }
            ui_View.modifyMacroNameUpdateProfile(oldMacroName, newMacroName)
        }
        onModifyMacroData: function (macroName) {
            var keys = macroKeys(macroName)
            for (var i = 0; i < keys.length; ++i)
                macroEditorMain.sendMacro(keys[i], macroName)
        }
    }

    GunControl {
        id: gunControlMain
    }

    SystemSetting {
        id: systemSettingMain
    }

    KeyAssigment {
        id: keyAssigmentMain
        objectName: "keyAssigmentMain"
        // The button it was opened on stays lit in the mouse picture only while it is open.
        onVisibleChanged: {
            if (!visible)
                mouseMain.selectKey = -1
        }
    }

    Profile {
        id: profileMain
        objectName: "profileMain"
        onChangeProfile: function (tmpProfileNo) { switchProfile(tmpProfileNo) }
    }

    PanelFrame {
        id: factorysure
        objectName: "factorysure"
        width: 427
        height: 102
        visible: false
        showClose: false
        color: colorGray0
        titleText: langText(mainLang, 5)

        Text {
            x: 16
            y: 12
            text: langText(mainLang, 6)
            font.family: fontFamily
            font.pixelSize: fontNormalSize
            color: fontColor
        }
        Row {
            anchors.right: parent.right
            anchors.rightMargin: 16
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 10
            spacing: 16
            TextButton {
                id: cancelBtn
                objectName: "cancelBtn"
                width: 88
                height: 25
                textValue: langText(mainLang, 7)
                normalColor: colorGray1
                onClicked: {
                    factorysure.visible = false
                    mainMask.visible = false
                }
            }
            TextButton {
                id: okBtn
                objectName: "okBtn"
                width: 88
                height: 25
                textValue: langText(mainLang, 8)
                onClicked: resetFactory()
            }
        }
    }

    Rectangle {
        id: askMenu
        objectName: "askMenu"
        anchors.right: parent.right
        anchors.rightMargin: 300
        y: 30
        width: 200
        height: askColumn.height + 2
        visible: false
        color: colorGray0
        border.color: colorGray1
        z: 100

        Column {
            id: askColumn
            x: 1
            y: 1
            Repeater {
                model: ListModel {
                    id: askModel
                    ListElement { textValue: "" }
                    ListElement { textValue: "verison:1.0" }
                }
                delegate: Rectangle {
                    id: askRow
                    required property int index
                    required property string textValue
                    width: 198
                    height: 24
                    color: askArea.containsMouse ? colorOrange : "transparent"
                    Text {
                        x: 8
                        width: parent.width - 16
                        anchors.verticalCenter: parent.verticalCenter
                        text: askRow.textValue
                        font.family: fontFamily
                        font.pixelSize: fontNormalSize
                        color: fontColor
                        elide: Text.ElideMiddle
                    }
                    MouseArea {
                        id: askArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: askMenuCmd(askRow.index)
                    }
                }
            }
        }
    }

    KeyCodeString {
        id: _KeyCodeString
        objectName: "_KeyCodeString"
    }
}
