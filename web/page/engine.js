// The WebAssembly module's functions for the page: the companion's runner, the kind table and
// the style files.
import { ArgsOf } from "./state.js";

const kUtf8 = new TextEncoder();
const kFromUtf8 = new TextDecoder();
// RRGGBB as the store's colour value 0x00BBGGRR.
function ColourValue(hex) {
    const value = parseInt(hex, 16);
    return ((value & 0xff) << 16) | (value & 0xff00) | (value >> 16);
}

// The preview's units and their colours, as the engine colours them, as far as they are asked
// for: a long text's preview shows its beginning, and only a picture needs them all.
class PreviewUnits {
    constructor(engine, args, state) {
        this.engine = engine;
        this.args = args;
        this.fallback = state.text ? [{ colour: state.start, text: state.text }] : [];
        this.units = [];
        this.whole = false; // every unit has been read
    }

    // The first `count` units (all of them without a count).
    Units(count = Infinity) {
        if (this.units.length < count && !this.whole) {
            const most = count === Infinity ? 0x7fffffff : count;
            const read = this.engine.ColouredUnits(this.args, most);
            this.units = read.units;
            this.whole = read.units.length < most;
        }
        if (this.whole && this.units.length === 0) return this.fallback;
        return this.units.slice(0, count);
    }
}

export class Engine {
    constructor(module) {
        this.module = module;
    }

    // The arguments in the module's memory, each ended by a zero byte (to be freed).
    Arguments(args) {
        const m = this.module;
        const encoded = args.map((arg) => kUtf8.encode(arg));
        const size = encoded.reduce((total, bytes) => total + bytes.length + 1, 0);
        const buffer = m._malloc(Math.max(size, 1));
        let at = buffer;
        for (const bytes of encoded) {
            m.HEAPU8.set(bytes, at);
            m.HEAPU8[at + bytes.length] = 0;
            at += bytes.length + 1;
        }
        return buffer;
    }

    // Runs the companion; its exit status, output bytes and standard error text.
    Run(args) {
        const m = this.module;
        const buffer = this.Arguments(args);
        const status = m._tintrel_run(buffer, args.length);
        m._free(buffer);
        const out = m._tintrel_out();
        const bytes = m.HEAPU8.slice(out, out + m._tintrel_out_size());
        return { status, bytes, error: m.UTF8ToString(m._tintrel_err()) };
    }

    // The first `most` units of the text the arguments colour, each with its colour (RRGGBB), as
    // the output kinds colour them; none for a text too short to colour.
    ColouredUnits(args, most) {
        const m = this.module;
        const buffer = this.Arguments(args);
        const given = m._tintrel_units(buffer, args.length, most);
        m._free(buffer);
        const units = [];
        if (given <= 0) return { units };
        const out = m._tintrel_out();
        const text = kFromUtf8.decode(m.HEAPU8.subarray(out, out + m._tintrel_out_size()));
        const table = m.HEAP32.subarray(m._tintrel_unit_table() >> 2, (m._tintrel_unit_table() >> 2) + 2 * given);
        let at = 0;
        for (let k = 0; k < given; k++) {
            const colour = table[2 * k + 1];
            const rgb = ((colour & 0xff) << 16) | (colour & 0xff00) | ((colour >> 16) & 0xff);
            units.push({ colour: rgb.toString(16).toUpperCase().padStart(6, "0"), text: text.slice(at, at + table[2 * k]) });
            at += table[2 * k];
        }
        return { units };
    }

    Kinds() {
        const table = this.module.UTF8ToString(this.module._tintrel_kinds());
        return table
            .split("\n")
            .filter((line) => line)
            .map((line) => {
                const [name, encoding, page, options, window, fileName, help, caption, hint, copied, target, budget, counted, fit] =
                    line.split("\t");
                return {
                    name, encoding, html: page === "page", options: options.split(" ").filter(Boolean), window: window === "window", fileName, help, caption,
                    hint, copied, target: target === "target", budget: Number(budget), counted, fit: fit === "fit",
                };
            });
    }

    // Whether the kind writes a size and a face name: its output for a short text changes with
    // them (a kind that refuses a face writes none).
    Writes(kind) {
        const Output = (...options) => {
            const run = this.Run(["--utf8", `--format=${kind}`, ...options, "--", "ab"]);
            return run.status === 0 ? run.bytes.join() : null;
        };
        const plain = Output();
        return { size: Output("--size=2") !== plain, face: ![null, plain].includes(Output("--face=Probe")) };
    }

    // The output's bytes (UTF-8, as the companion's --utf8 writes it) and the preview's units with
    // the colours the engine gives them.
    Render(state) {
        const run = this.Run(["--utf8", ...ArgsOf(state)]);
        // A paste target's length against its budget, and what shortened it.
        const count = JSON.parse(this.module.UTF8ToString(this.module._tintrel_budget()));
        const notes = run.error.trim();
        // The kind too: a target of few colours shows its nearest ones.
        const colours = [`--format=${state.format}`, `--start=${state.start}`, `--finish=${state.finish}`,
            `--middle=${state.middle}`, `--mode=${state.mode}`, `--space=${state.space}`,
            ...(state.stops ? [`--stops=${state.stops}`] : []), ...(state.rainbow ? ["--rainbow"] : []),
            ...(state.phase ? [`--phase=${state.phase}`] : []), "--", state.text];
        // The units' colours depend on nothing else: a switch changed keeps them.
        const key = colours.join("\0");
        if (this.previewKey !== key) {
            this.previewKey = key;
            this.preview = new PreviewUnits(this, colours, state);
        }
        return { status: run.status, bytes: run.bytes, error: run.error, notes, count, preview: this.preview };
    }

    // The bytes the program saves for the kind: its page, or the output text itself.
    SavedBytes(state, kind) {
        const args = ArgsOf(state);
        return this.Run(kind.html ? ["--page", ...args] : args);
    }

    StyleFile(state, name) {
        const m = this.module;
        const strings = [name, state.face, state.space, state.stops].map((text) => kUtf8.encode(`${text}\0`));
        const pointers = strings.map((bytes) => {
            const pointer = m._malloc(bytes.length);
            m.HEAPU8.set(bytes, pointer);
            return pointer;
        });
        const styles = (state.bold ? 1 : 0) | (state.italic ? 2 : 0) | (state.underline ? 4 : 0) | (state.strike ? 8 : 0);
        const mode = { two: 0, mirror: 1, three: 2 }[state.mode] ?? 0;
        const status = m._tintrel_style_write(pointers[0], pointers[1], styles, Number(state.size), state.head ? 1 : 0,
            ColourValue(state.start), ColourValue(state.finish), ColourValue(state.middle), ColourValue(state.background), mode,
            pointers[2], pointers[3], state.rainbow || state.phase !== "" ? 1 : 0, Number(state.phase) || 0);
        pointers.forEach((pointer) => m._free(pointer));
        const at = m._tintrel_style();
        return { status, bytes: m.HEAPU8.slice(at, at + m._tintrel_style_size()), error: m.UTF8ToString(m._tintrel_style_error()) };
    }

    // The choices a style file holds, as the program imports it.
    ReadStyle(bytes) {
        const m = this.module;
        m.FS.writeFile("/tmp/tintrel-style.tsy", bytes);
        const status = m._tintrel_style_read();
        if (status !== 0) return { status, error: m.UTF8ToString(m._tintrel_style_error()) };
        const [name, face, styles, size, head, start, finish, middle, background, mode, space, stops, rainbow, phase] =
            m.UTF8ToString(m._tintrel_style()).split("\t");
        const bits = Number(styles);
        return {
            status,
            name,
            style: {
                face, bold: (bits & 1) !== 0, italic: (bits & 2) !== 0, underline: (bits & 4) !== 0, strike: (bits & 8) !== 0,
                size: String(Math.min(Math.max(Number(size), 0), 4)), head: head === "1", start, finish, middle, background,
                mode: ["two", "mirror", "three"][Number(mode)],
                space, stops, rainbow: rainbow === "1", phase: rainbow === "1" && phase !== "0" ? phase : "",
            },
        };
    }
}
