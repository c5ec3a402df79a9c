// The sixteen button assignments with their built-in defaults (type, three codes, text).
import QtQuick

ListModel {
    ListElement { keyCode0: 0; keyCode1: 0; keyCode2: 0xF0; keyCode3: 0; keyText: "Left Key" }
    ListElement { keyCode0: 0; keyCode1: 0; keyCode2: 0xF1; keyCode3: 0; keyText: "Right Key" }
    ListElement { keyCode0: 0; keyCode1: 0; keyCode2: 0xF2; keyCode3: 0; keyText: "Middle Key" }
    ListElement { keyCode0: 0; keyCode1: 0; keyCode2: 0xF4; keyCode3: 0; keyText: "Forward Key" }
    ListElement { keyCode0: 0; keyCode1: 0; keyCode2: 0xF3; keyCode3: 0; keyText: "Back Key" }
    ListElement { keyCode0: 5; keyCode1: 0; keyCode2: 1; keyCode3: 0; keyText: "DPI+" }
    ListElement { keyCode0: 5; keyCode1: 0; keyCode2: 2; keyCode3: 0; keyText: "DPI-" }
    ListElement { keyCode0: 0; keyCode1: 0xF0; keyCode2: 0x1E; keyCode3: 0x02; keyText: "Double Fire" }
    ListElement { keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0; keyText: "" }
    ListElement { keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0; keyText: "" }
    ListElement { keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0; keyText: "" }
    ListElement { keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0; keyText: "" }
    ListElement { keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0; keyText: "" }
    ListElement { keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0; keyText: "" }
    ListElement { keyCode0: 0xFF; keyCode1: 0; keyCode2: 1; keyCode3: 0; keyText: "" }
    ListElement { keyCode0: 0xFF; keyCode1: 0; keyCode2: 2; keyCode3: 0; keyText: "" }
}
