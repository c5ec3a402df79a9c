// The byte list of a macro, as the mouse plays it, and its length. Plain functions over plain
// data, so they run in the page and in a bare script engine alike.
//
// An action is {type, info}: type 0 delay (info: milliseconds), 1 key press, 2 key release,
// 3 mouse-button press, 4 mouse-button release (info: the key or button label). Entries of any
// other type are ignored.
//
// The list: the repeat count (high byte, low byte), then per key or button action a timing byte
// and its code, and the pair 0, 0 at the end. The timing byte holds the pause after the action
// in 10 ms units (1..126; a pause of 0 is sent as 1), with bit 7 set for a release. A pause of
// 127 units or more is sent as timing 0 followed by a unit pair and a count pair.

var recordLimit = 126   // the editor refuses input once a macro's list is this long
var blockLimit = 128    // the mouse takes no more than this

function isKeyAction(action) {
    return action.type >= 1 && action.type <= 4
}

function isRelease(action) {
    return action.type === 2 || action.type === 4
}

// Milliseconds of a delay in 10 ms units, fractions kept; text that is no number counts 0.
function delayUnits(action) {
    var ms = parseInt(action.info)
    return isNaN(ms) || ms < 0 ? 0 : ms / 10
}

// The records that end a pause of t units: [timing, extra bytes...].
function pauseRecords(t, release) {
    var releaseBit = release ? 0x80 : 0
    var units = Math.floor(t)
    if (units < 127)
        return [Math.max(units, 1) | releaseBit]
    var records = [releaseBit]
    var count = units
    if (units < 100000) {
        records.push(0, 1)
        count = Math.floor(units / 2)
    } else if (units < 300000) {
        records.push(0, 2)
        count = Math.floor(units / 5)
    } else if (units < 600000) {
        records.push(0, 3)
        count = Math.floor(units / 10)
    }
    records.push(Math.floor(count / 256) & 0xff, count % 256)
    return records
}

// The byte list of actions played repeat times; codeOf(label) gives a key's code (0 when the
// label is unknown). With a limit, key actions that would make the list longer than it are
// left off, so what is sent is always a whole macro.
function encode(actions, repeat, codeOf, limit) {
    var bytes = [Math.floor(repeat / 256) & 0xff, repeat % 256]
    var list = []
    for (var i = 0; i < actions.length; ++i)
        if (actions[i].type === 0 || isKeyAction(actions[i]))
            list.push(actions[i])
    var first = 0
    while (first < list.length && !isKeyAction(list[first]))
        ++first
    if (first >= list.length - 1)
        return bytes
    var previous = list[first]
    var timingAt = bytes.length
    bytes.push(0, codeOf(previous.info))
    var t = 0
    for (var j = first + 1; j < list.length; ++j) {
        var action = list[j]
        if (!isKeyAction(action)) {
            t += delayUnits(action)
            continue
        }
        var records = pauseRecords(t, isRelease(previous))
        // The records, this action's pair and the closing pair must fit.
        if (bytes.length + records.length - 1 + 2 + 2 > limit)
            break
        bytes[timingAt] = records[0]
        for (var r = 1; r < records.length; ++r)
            bytes.push(records[r])
        timingAt = bytes.length
        bytes.push(0, codeOf(action.info))
        previous = action
        t = 0
    }
    bytes[timingAt] = 1 | (isRelease(previous) ? 0x80 : 0)
    bytes.push(0, 0)
    return bytes
}

// The list sent to the mouse: never longer than the mouse takes.
function deCode(actions, repeat, codeOf) {
    return encode(actions, repeat, codeOf, blockLimit)
}

// The length of the whole list (the limit check of the editor).
function recordCount(actions) {
    return encode(actions, 0, function () { return 0 }, Infinity).length
}

// Turns loaded macro entries ("<type>,<info>") into actions: the type is the number of the
// first character, the information the text from the third character on. An entry of no known
// type keeps its whole text as type -1, so it is shown and saved back as it was.
function parseActions(entries) {
    var actions = []
    for (var i = 0; i < entries.length; ++i) {
        var text = String(entries[i])
        var type = parseInt(text.charAt(0))
        if (type >= 0 && type <= 4)
            actions.push({ "type": type, "info": text.substring(2) })
        else
            actions.push({ "type": -1, "info": text })
    }
    return actions
}

function actionText(action) {
    return action.type >= 0 && action.type <= 4 ? action.type + "," + action.info : action.info
}

function actionTexts(actions) {
    var texts = new Array()
    for (var i = 0; i < actions.length; ++i)
        texts.push(actionText(actions[i]))
    return texts
}

// A macro as stored: its entries, then the repeat count. Gives {actions, repeat} (the count as
// its text), or null for an empty list (no such macro).
function parseMacro(entries) {
    if (entries.length === 0)
        return null
    return { "actions": parseActions(entries.slice(0, entries.length - 1)),
             "repeat": String(entries[entries.length - 1]) }
}

// The action type of a recorded event: codes from 0xF0 on are mouse buttons.
function inputType(isDown, usbCode) {
    var mouseButton = usbCode >= 0xF0
    return isDown ? (mouseButton ? 3 : 1) : (mouseButton ? 4 : 2)
}

// Where a press, release pair goes: before the selected action, or after it with after set;
// at the end when nothing or the last action is selected.
function pairPosition(selected, count, after) {
    if (selected >= 0 && selected < count - 1)
        return after ? selected + 1 : selected
    return count
}
