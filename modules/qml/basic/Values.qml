// Reading values: texts of the language lists and settings as they come from the files.
// Pure functions, shared by the root and the pages.
pragma Singleton
import QtQml

QtObject {
    // String i of a language list, "" when the list is shorter (a missing group or file gives an
    // empty list, and the captions become empty rather than "undefined").
    function langText(list: var, i: var): string {
        return list && i < list.length && list[i] !== undefined && list[i] !== null
               ? String(list[i]) : ""
    }

    // A list read from the files as a JavaScript array: the bridge hands lists over as string
    // lists, which are array-like but not arrays; anything that is not a list gives [].
    function listSetting(value: var): var {
        return value !== undefined && value !== null && typeof value === "object"
                ? Array.from(value) : []
    }
    // Settings values arrive as text (or as the value QML stored); undefined (a missing key)
    // leaves the current value in place.
    function textSetting(value: var, current: var): var {
        return value === undefined ? current : String(value)
    }
    function intSetting(value: var, current: var): var {
        var n = parseInt(value)
        return isNaN(n) ? current : n
    }
    function boolSetting(value: var, current: var): var {
        if (value === undefined)
            return current
        if (typeof value === "boolean")
            return value
        var text = String(value).toLowerCase()
        return text === "true" || (parseInt(text) || 0) !== 0
    }
}
