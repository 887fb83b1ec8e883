// The page's choices, and the link that carries them: the part after '#' holds the companion's
// own option names and values ("text=Hello&format=css&start=FF0000&mode=mirror&bold"), so the
// choices turn into tintrel-html's arguments one for one.
import { ColourOf, StopsTextOf } from "./colours.js";

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

// The values that are free text: a part of one that cannot be read whole is read as far as it
// goes; any other value that cannot be read or used keeps its default.
const kFreeText = ["text", "face"];
const kColourKeys = ["start", "middle", "finish", "background"];
const kFalse = ["0", "false", "off", "no"];

// A value of the link as the page keeps it; null for one it cannot use.
function Usable(key, value) {
    if (kColourKeys.includes(key)) return ColourOf(value);
    if (key === "stops") return StopsTextOf(value);
    return value;
}

// The choices of a link; keys the page does not know are kept for the companion. `unread.value`
// says whether a part could not be read whole, and `unread.notes` what became of each piece that
// was not taken as it stands, as [name, how]: "partial" (read as far as it goes), "default"
// (left at the default), "dropped" (left out: its name cannot be read) or "twice" (the last one
// is kept).
export function StateOf(link, unread = { value: false }) {
    const state = { ...kDefaults, extra: [] };
    unread.notes = [];
    const Note = (key, how) => {
        if (!unread.notes.some(([k, h]) => k === key && h === how)) unread.notes.push([key, how]);
    };
    const seen = new Set();
    for (const piece of link.split("&")) {
        if (!piece) continue;
        const equals = piece.indexOf("=");
        const keyUnread = { value: false };
        const key = Decoded(equals < 0 ? piece : piece.slice(0, equals), keyUnread);
        if (keyUnread.value) {
            // A name that cannot be read names nothing: the piece is left out.
            unread.value = true;
            Note(key.length > 24 ? `${key.slice(0, 24)}…` : key, "dropped");
            continue;
        }
        const valueUnread = { value: false };
        const value = equals < 0 ? null : Decoded(piece.slice(equals + 1).replace(/\+/g, " "), valueUnread);
        if (seen.has(key)) Note(key, "twice");
        seen.add(key);
        if (valueUnread.value) {
            unread.value = true;
            if (!kFreeText.includes(key)) {
                Note(key, "default");
                if (key in kDefaults) state[key] = kDefaults[key];
                continue;
            }
            Note(key, "partial");
        }
        if (key === "text") {
            state.text = value ?? "";
        } else if (kValued.includes(key) && value !== null) {
            const usable = Usable(key, value);
            if (usable === null) {
                Note(key, "default");
                state[key] = kDefaults[key];
                continue;
            }
            state[key] = usable;
            // As for the companion, a first hue turns the rainbow on.
            if (key === "phase" && value !== "") state.rainbow = true;
        } else if (kFlags.includes(key)) {
            state[key] = value === null || !kFalse.includes(value.toLowerCase());
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
