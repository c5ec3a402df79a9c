// The scene's shared look: fonts, colours and the skin's image paths, one instance for every
// file of the scene.
pragma Singleton
import QtQuick

QtObject {
    property int skin_No: 1
    // Where this family is missing, the view has another CJK font stand in for it.
    property string fontFamily: "微软雅黑"
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

    // Image URLs. Skinned images live in the resource group named after the page that uses them.
    function skinImage(group, file) {
        return "qrc:/" + group + "/modules/img/skin" + skin_No + "/" + group + "/" + file + ".png"
    }
    readonly property url sourceBackground: "qrc:/modules/img/background.png"
    readonly property url sourceTitleBar: "qrc:/modules/img/titleBar.png"
    readonly property url sourceTitleLogo: "qrc:/modules/img/titleLogo.png"

    readonly property url sourceMouseFront: skinImage("mouse", "MouseFront")
    readonly property url sourceMouseSide: skinImage("mouse", "MouseSide")
    readonly property url sourceMouse0: skinImage("mouse", "Mouse0")
    readonly property url sourceMouse1: skinImage("mouse", "Mouse1")
    readonly property url sourceMouse2: skinImage("mouse", "Mouse2")
    readonly property url sourceMouse3: skinImage("mouse", "Mouse3")
    readonly property url sourceMouse4: skinImage("mouse", "Mouse4")
    readonly property url sourceMouse5: skinImage("mouse", "Mouse5")
    readonly property url sourceMouse6: skinImage("mouse", "Mouse6")
    readonly property url sourceMouse7: skinImage("mouse", "Mouse7")
    readonly property url sourceMouse0S: skinImage("mouse", "Mouse0S")
    readonly property url sourceMouse1S: skinImage("mouse", "Mouse1S")
    readonly property url sourceMouse2S: skinImage("mouse", "Mouse2S")
    readonly property url sourceMouse3S: skinImage("mouse", "Mouse3S")
    readonly property url sourceMouse4S: skinImage("mouse", "Mouse4S")
    readonly property url sourceMouse5S: skinImage("mouse", "Mouse5S")
    readonly property url sourceMouse6S: skinImage("mouse", "Mouse6S")
    readonly property url sourceMouse7S: skinImage("mouse", "Mouse7S")
    readonly property url sourceMouseSide0: skinImage("mouse", "MouseSide0")
    readonly property url sourceMouseSide1: skinImage("mouse", "MouseSide1")
    readonly property url sourceMouseSide2: skinImage("mouse", "MouseSide2")
    readonly property url sourceMouseSide3: skinImage("mouse", "MouseSide3")
    readonly property url sourceMouseSide4: skinImage("mouse", "MouseSide4")
    readonly property url sourceMouseSide5: skinImage("mouse", "MouseSide5")
    readonly property url sourceMouseSide6: skinImage("mouse", "MouseSide6")
    readonly property url sourceMouseSide7: skinImage("mouse", "MouseSide7")
    readonly property url sourceMouseSide0S: skinImage("mouse", "MouseSide0S")
    readonly property url sourceMouseSide1S: skinImage("mouse", "MouseSide1S")
    readonly property url sourceMouseSide2S: skinImage("mouse", "MouseSide2S")
    readonly property url sourceMouseSide3S: skinImage("mouse", "MouseSide3S")
    readonly property url sourceMouseSide4S: skinImage("mouse", "MouseSide4S")
    readonly property url sourceMouseSide5S: skinImage("mouse", "MouseSide5S")
    readonly property url sourceMouseSide6S: skinImage("mouse", "MouseSide6S")
    readonly property url sourceMouseSide7S: skinImage("mouse", "MouseSide7S")
    readonly property url sourceMouseSidebtnN: skinImage("mouse", "mouseSidebtnN")
    readonly property url sourceMouseSidebtnH: skinImage("mouse", "mouseSidebtnH")
    readonly property url sourceMouseSidebtnS: skinImage("mouse", "mouseSidebtnS")
    readonly property url sourceLightBtn: skinImage("mouse", "lightBtn")
    readonly property url sourceLightBtnS: skinImage("mouse", "lightBtnS")

    readonly property url sourceMinBtn: skinImage("index", "minBtn")
    readonly property url sourceMinBtnH: skinImage("index", "minBtnH")
    readonly property url sourceCloseBtn: skinImage("index", "closeBtn")
    readonly property url sourceCloseBtnH: skinImage("index", "closeBtnH")
    readonly property url sourceSureBtn: skinImage("index", "sureBtn")
    readonly property url sourceAsk: skinImage("index", "ask")
    readonly property url sourceAskH: skinImage("index", "askH")
    readonly property url sourceRestBtn: skinImage("index", "restBtn")
    readonly property url sourceRestBtnH: skinImage("index", "restBtnH")
    readonly property url sourceRestBtnP: skinImage("index", "restBtnP")
    readonly property url sourcePowerOn: skinImage("index", "powerOn")
    readonly property url sourceBack: skinImage("index", "back")
    readonly property url sourceBackH: skinImage("index", "backH")
    readonly property url sourceDropBtn: skinImage("index", "dropBtn")
    readonly property url sourceDropBtnU: skinImage("index", "dropBtnU")
    readonly property url sourceSlide: skinImage("index", "slide")
    readonly property url sourceScale: skinImage("index", "scale")
    readonly property url sourceCheckBtn: skinImage("index", "checkBtn")

    readonly property url sourceColorBar: skinImage("lightControl", "colorBar")
    readonly property url sourceSpeedScale: skinImage("lightControl", "speedScale")

    readonly property url sourceTarget: "qrc:/gun/modules/img/skin1/gun/target.png"
}
