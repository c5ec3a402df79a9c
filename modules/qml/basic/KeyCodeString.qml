// The key-name table: the 133 key codes (HID keyboard usages plus 0xF0..0xF4 for the mouse
// buttons) and their labels, entry i of one belonging to entry i of the other. The labels are
// replaced at start-up by the language file's keyCode group; the codes never change.
import QtQml

QtObject {
    // Inclusive code ranges, in table order.
    readonly property var codeRanges: [[0x04, 0x73], [0x85, 0x85], [0x87, 0x8B], [0x90, 0x91],
                                       [0xE0, 0xE7], [0xF0, 0xF4]]
    readonly property var keyCode: {
        var codes = []
        for (var r = 0; r < codeRanges.length; ++r)
            for (var c = codeRanges[r][0]; c <= codeRanges[r][1]; ++c)
                codes.push(c)
        return codes
    }
    property var keyCodeStr: [
        "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
        "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
        "1", "2", "3", "4", "5", "6", "7", "8", "9", "0",
        "Enter", "Esc", "Back", "Tab", "Space", "-", "=", "[", "]", "\\", "\\",
        ";", "'", "`", ",", ".", "/", "Caps",
        "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
        "Prt", "Scr", "Pau", "Ins", "Hom", "Pgu", "Del", "End", "PgD",
        "►", "◄", "▼", "▲", "Num", "KP/", "KP*", "KP-", "KP+", "KPEnter",
        "KP1", "KP2", "KP3", "KP4", "KP5", "KP6", "KP7", "KP8", "KP9", "KP0", "KP.",
        "Eur2", "App", "Power", "KP=",
        "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24",
        "Keypad", "Intl1", "Intl2", "Intl2", "Intl4", "Intl5", "Lang1", "Lang2",
        "LCtrl", "LShift", "LAlt", "LWin", "RCtrl", "RShift", "RAlt", "RWin",
        "MS-L", "MS-R", "MS-M", "MS-B4", "MS-B5"
    ]

    // Label of the first entry with this code; "" when the code is not in the table (or the
    // language file gave fewer labels than there are codes).
    function keycodeTostr(keycode) {
        var i = keyCode.indexOf(Number(keycode))
        if (i < 0 || !keyCodeStr || i >= keyCodeStr.length)
            return ""
        return String(keyCodeStr[i])
    }
    // Code of the first entry whose label is exactly str; 0 when none is.
    function strTokeycode(str) {
        var n = Math.min(keyCode.length, keyCodeStr ? keyCodeStr.length : 0)
        for (var i = 0; i < n; ++i)
            if (keyCodeStr[i] === str)
                return keyCode[i]
        return 0
    }
}
