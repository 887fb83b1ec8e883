// The page's choices, and the link that carries them: the part after '#' holds the companion's
// own option names and values ("text=Hello&format=css&start=FF0000&mode=mirror&bold"), so the
// choices turn into tintrel-html's arguments one for one.

export const kDefaults = Object.freeze({
    text: "Tintrel",
    format: "font",
    start: "FF0000",
    middle: "FFFFFF",
    finish: "FFFF00",
    mode: "two",
    size: "0",
    face: "",
    background: "FFFFFF",
    space: "srgb",
    stops: "",
    phase: "",
    budget: "",
    animate: "",
    frames: "",
    interval: "",
    container: "",
    head: false,
    bold: false,
    italic: false,
    underline: false,
    strike: false,
    "face-tag": false,
    logical: false,
    comment: false,
    break: false,
    lower: false,
    table: false,
    rainbow: false,
    fit: false,
    extra: Object.freeze([]),
});

const kValued = ["format", "start", "middle", "finish", "mode", "size", "face", "background", "space", "stops", "phase", "budget",
    "animate", "frames", "interval", "container"];
const kFlags = ["head", "bold", "italic", "underline", "strike", "face-tag", "logical", "comment", "break", "lower", "table", "rainbow", "fit"];

// The choices of a link; keys the page does not know are kept for the companion.
export function StateOf(link) {
    const state = { ...kDefaults, extra: [] };
    for (const piece of link.split("&")) {
        if (!piece) continue;
        const equals = piece.indexOf("=");
        const key = decodeURIComponent(equals < 0 ? piece : piece.slice(0, equals));
        const value = equals < 0 ? null : decodeURIComponent(piece.slice(equals + 1).replace(/\+/g, " "));
        if (key === "text") {
            state.text = value ?? "";
        } else if (kValued.includes(key) && value !== null) {
            state[key] = ["start", "middle", "finish", "background"].includes(key) ? value.replace(/^#/, "").toUpperCase() : value;
            // As for the companion, a first hue turns the rainbow on.
            if (key === "phase" && value !== "") state.rainbow = true;
        } else if (kFlags.includes(key)) {
            state[key] = value === null || !["0", "false", "off", "no"].includes(value.toLowerCase());
        } else {
            state.extra.push([key, value]);
        }
    }
    return state;
}

function Piece(key, value) {
    return value === null ? encodeURIComponent(key) : `${encodeURIComponent(key)}=${encodeURIComponent(value)}`;
}

// The link of the choices: what differs from the defaults (the text always).
export function LinkOf(state) {
    const pieces = [Piece("text", state.text)];
    for (const key of kValued) {
        if (state[key] !== kDefaults[key]) pieces.push(Piece(key, state[key]));
    }
    for (const key of kFlags) {
        if (state[key]) pieces.push(Piece(key, null));
    }
    for (const [key, value] of state.extra) pieces.push(Piece(key, value));
    return pieces.join("&");
}

// The companion's arguments for the choices (TEXT last, after "--"). The face is written only
// with the face tag switched on, as in the program.
export function ArgsOf(state) {
    const args = [];
    for (const key of kValued) {
        if (key === "face" || state[key] === kDefaults[key]) continue;
        args.push(`--${key}=${state[key]}`);
    }
    for (const key of kFlags) {
        if (!state[key] || key === "face-tag") continue;
        args.push(`--${key}`);
    }
    if (state["face-tag"]) args.push(state.face ? `--face=${state.face}` : "--face-tag");
    for (const [key, value] of state.extra) args.push(value === null ? `--${key}` : `--${key}=${value}`);
    args.push("--", state.text);
    return args;
}
