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

// A part of a link as its text. Where its escapes are not UTF-8 (an address typed or cut short
// by hand, a stored link), it is read as far as it goes: each run of escapes as UTF-8 with
// U+FFFD for what is none, a % without two digits as it stands, and `unread` set.
function Decoded(part, unread) {
    try {
        return decodeURIComponent(part);
    } catch {
        unread.value = true;
        return part.replace(/(?:%[0-9A-Fa-f]{2})+/g, (run) =>
            new TextDecoder().decode(Uint8Array.from(run.slice(1).split("%"), (hex) => parseInt(hex, 16))));
    }
}

// The choices of a link; keys the page does not know are kept for the companion. `unread` says
// whether a part could not be read whole (a piece whose name cannot be read is left out).
export function StateOf(link, unread = { value: false }) {
    const state = { ...kDefaults, extra: [] };
    for (const piece of link.split("&")) {
        if (!piece) continue;
        const equals = piece.indexOf("=");
        const keyUnread = { value: false };
        const key = Decoded(equals < 0 ? piece : piece.slice(0, equals), keyUnread);
        if (keyUnread.value) {
            // A name that cannot be read names nothing: the piece is left out.
            unread.value = true;
            continue;
        }
        const value = equals < 0 ? null : Decoded(piece.slice(equals + 1).replace(/\+/g, " "), unread);
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
