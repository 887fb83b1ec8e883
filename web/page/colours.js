// The colour forms people type: "#FF5500", "FF5500", "F50", with spaces anywhere around them,
// and lists of stops ("#F00, 00FF00@30,00f"). The engine is handed one form: RRGGBB in capitals,
// stops as RRGGBB[@P] joined by bare commas.

// RRGGBB for a colour in any of its forms; null for what is none.
export function ColourOf(text) {
    const match = /^\s*#?([0-9A-Fa-f]{3}|[0-9A-Fa-f]{6})\s*$/.exec(text);
    if (!match) return null;
    const digits = match[1].length === 3 ? [...match[1]].map((digit) => digit + digit).join("") : match[1];
    return digits.toUpperCase();
}

// The stops of a list in one form ("" for none); null when a stop is no colour or its place no
// number.
export function StopsTextOf(text) {
    if (text.trim() === "") return "";
    const stops = [];
    for (const stop of text.split(",")) {
        const [colour, at, ...more] = stop.split("@");
        const hex = ColourOf(colour);
        if (hex === null || more.length > 0) return null;
        if (at === undefined) {
            stops.push(hex);
        } else if (/^\s*\d+(\.\d+)?\s*$/.test(at)) {
            stops.push(`${hex}@${at.trim()}`);
        } else {
            return null;
        }
    }
    return stops.length >= 2 ? stops.join(",") : null;
}
