// Tintrel's engine for JavaScript: the command-line companion tintrel-html in WebAssembly, so
// that every call writes the bytes tintrel-html writes for the same options. Options take the
// companion's names, in camelCase or as written (ircHex or "irc-hex"); a switch is true, and
// false, null or undefined leaves an option out.
import TintrelEngine from "./tintrel-engine.mjs";

const engine = await TintrelEngine();
const encoder = new TextEncoder();
const decoder = new TextDecoder();

export const OK = 0;
export const NOTHING_FOUND = 1;
export const BAD_INPUT = 2;
export const DOES_NOT_FIT = 3;
export const CONTRAST_SHORT = 4;

// A call the engine refused or could not carry out; `status` is the companion's exit status.
export class TintrelError extends Error {
  constructor(status, message) {
    super(message);
    this.name = "TintrelError";
    this.status = status;
  }
}

function optionArguments(options = {}) {
  const args = [];
  for (const [key, value] of Object.entries(options)) {
    if (value === false || value === null || value === undefined) continue;
    const name = "--" + key.replace(/[A-Z]/g, (c) => "-" + c.toLowerCase());
    if (["--decode", "--count", "--fit", "--check-contrast", "--text-file", "--utf8-text-file", "--to-style", "--"].includes(name)) {
      throw new TintrelError(BAD_INPUT, `option '${name}' is a call of its own, not an option to set`);
    }
    args.push(value === true ? name : `${name}=${value}`);
  }
  return args;
}

function text(value) {
  if (typeof value !== "string") throw new TintrelError(BAD_INPUT, "the text is not a string");
  if (value.includes("\0")) throw new TintrelError(BAD_INPUT, "the text holds a zero character");
  return value;
}

// Runs the companion; returns its status, the bytes it wrote and its first message line.
function run(args, input = "") {
  const argBytes = encoder.encode(args.map((a) => a + "\0").join(""));
  const inputBytes = encoder.encode(input);
  const argPointer = engine._malloc(argBytes.length + 1);
  const inputPointer = engine._malloc(inputBytes.length + 1);
  try {
    engine.HEAPU8.set(argBytes, argPointer);
    engine.HEAPU8.set(inputBytes, inputPointer);
    const status = engine._tintrel_run_input(argPointer, args.length, inputPointer, inputBytes.length);
    const out = engine.HEAPU8.slice(engine._tintrel_out(), engine._tintrel_out() + engine._tintrel_out_size());
    const err = engine.UTF8ToString(engine._tintrel_err()).split("\n")[0].replace(/^tintrel-html: /, "");
    const budget = JSON.parse(engine.UTF8ToString(engine._tintrel_budget()));
    return { status, out, err, budget };
  } finally {
    engine._free(argPointer);
    engine._free(inputPointer);
  }
}

function expect(result, ...passing) {
  if (!passing.includes(result.status)) throw new TintrelError(result.status, result.err || "the call failed");
  return result;
}

// The TEXT goes after the end of the options; the companion reads a TEXT of "-" from standard
// input, so that one goes there.
function runText(args, value) {
  text(value);
  return run([...args, "--", value], value === "-" ? "-" : "");
}

// The bytes tintrel-html writes (CP932 for the font kind unless utf8 is set).
export function writeBytes(value, { format, ...options } = {}) {
  const args = optionArguments(options);
  if (format !== undefined) args.push(`--format=${format}`);
  return expect(runText(args, value), OK).out;
}

// The output as a string (the font kind writes UTF-8 here, as with utf8: true).
export function write(value, options = {}) {
  const format = options.format ?? "font";
  return decoder.decode(writeBytes(value, format === "font" ? { utf8: true, ...options } : options));
}

// The plain text of gradient text of any kind, then each character's colour.
export function decode(value, options = {}) {
  return decoder.decode(expect(run([...optionArguments(options), "--decode", "-"], text(value)), OK).out);
}

// The output's length and its budget (0: none), as tintrel-html --count measures them.
export function count(value, options = {}) {
  const { format, ...rest } = options;
  const result = expect(runText([...optionArguments(rest), ...(format ? [`--format=${format}`] : []), "--count"], value), OK);
  return result.budget ? { length: result.budget.length, budget: result.budget.budget } : { length: result.out.length, budget: 0 };
}

// The output shortened to fit its budget; a TintrelError with DOES_NOT_FIT when nothing fits.
export function fit(value, options = {}) {
  return decoder.decode(expect(runText([...optionArguments(options), "--fit"], value), OK).out);
}

// Whether every character passes its contrast with the background, and the report of those
// that fall short (one line each).
export function checkContrast(value, options = {}) {
  const result = expect(runText([...optionArguments(options), "--check-contrast"], value), OK, CONTRAST_SHORT);
  return { passes: result.status === OK, report: decoder.decode(result.out) };
}

function colourOptions(colours) {
  if (!Array.isArray(colours) || colours.length < 2) throw new TintrelError(BAD_INPUT, "a gradient needs two colours or more");
  if (colours.length === 2) return { start: colours[0], finish: colours[1] };
  const rrggbb = (c) => {
    const hex = c.replace(/^#/, "");
    return hex.length === 3 ? [...hex].map((d) => d + d).join("") : hex;
  };
  return { stops: colours.map(rrggbb).join(",") };
}

// gradient(colours, options)(text): the text from the first colour to the last, as a string
// for a terminal (24-bit colour; format: "ansi256" for fewer). Its multiline(text) colours each
// line as a text of its own.
export function gradient(colours, options = {}) {
  const settings = { format: "ansi", ...options, ...colourOptions(colours) };
  const paint = (value) => decoder.decode(writeBytes(value, settings));
  paint.multiline = (value) => {
    const { format, ...rest } = settings;
    const args = [...optionArguments(rest), `--format=${format}`, "-"];
    return decoder.decode(expect(run(args, text(value)), OK).out);
  };
  return paint;
}
