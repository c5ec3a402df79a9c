// The colour bar of the lighting page and the colour texts of its blocks. The bar has six equal
// parts (red to yellow, yellow to green, green to cyan, cyan to blue, blue to magenta, magenta
// to red), one channel rising or falling linearly from 0 to 255 inside each; its right end gives
// white. Positions are pixels from the bar's left end.
.pragma library

// The colour [r, g, b] at marker position x of a bar w pixels wide.
function colourAt(x, w) {
    var q = Math.floor((w - 2) / 6)
    if (q <= 0)
        return [255, 0, 0]
    var k = Math.floor(x / q)
    var s = Math.floor((x - k * q) * 255 / q)
    switch (k) {
    case 0: return [255, s, 0]
    case 1: return [255 - s, 255, 0]
    case 2: return [0, 255, s]
    case 3: return [0, 255 - s, 255]
    case 4: return [s, 0, 255]
    case 5: return [255, 0, 255 - s]
    default: return x > w - 3 ? [255, 255, 255] : [255, 0, 0]
    }
}

// The marker position of colour (r, g, b) on a bar w pixels wide, to the nearest pixel: the
// first rule that matches the colour places it; colours off the bar go to its left end.
function positionOf(r, g, b, w) {
    var d = (w - 2) / 6
    var u = d / 256
    var x = 0
    if (r === 255 && b === 0)
        x = u * g
    else if (r === 0 && b === 255)
        x = 3 * d + u * (255 - g)
    else if (g === 255 && b === 0)
        x = d + u * (255 - r)
    else if (g === 0 && b === 255)
        x = 4 * d + u * r
    else if (r === 0 && g === 255)
        x = 2 * d + u * b
    else if (r === 255 && g === 0)
        x = 5 * d + u * (255 - b)
    else if (r === 255 && g === 255 && b === 255)
        x = w - 2
    return Math.round(x)
}

function hexByte(v) {
    var text = (v & 0xff).toString(16)
    return text.length < 2 ? "0" + text : text
}

// "#rrggbb" from three channel values (each cut to its low 8 bits).
function toText(r, g, b) {
    return "#" + hexByte(r) + hexByte(g) + hexByte(b)
}

// [r, g, b] of a "#rrggbb" text; [0, 0, 0] for anything else.
function channels(text) {
    var m = /^#([0-9a-fA-F]{2})([0-9a-fA-F]{2})([0-9a-fA-F]{2})$/.exec(String(text))
    return m ? [parseInt(m[1], 16), parseInt(m[2], 16), parseInt(m[3], 16)] : [0, 0, 0]
}
