// The page's link reader, colour forms and captions, without a browser: what a link keeps and
// what the page says of the pieces it cannot take as they stand.
//
// node state_test.mjs
import { ColourOf, StopsTextOf } from "../../web/page/colours.js";
import { LinkOf, StateOf } from "../../web/page/state.js";
import { AddedStop, RemovedStop } from "../../web/page/stops.js";
import { CaptionOf, FieldOfRefusal } from "../../web/page/words.js";

let failures = 0;
function Check(condition, what) {
    if (!condition) {
        failures++;
        console.log(`FAIL: ${what}`);
    }
}
const Same = (a, b) => JSON.stringify(a) === JSON.stringify(b);

// A link cut, doubled, or holding unknown and bad pieces: the choices kept, the notes said.
for (const [link, kept, notes] of [
    ["text=Caf%C3%A9%20%E2%9C", { text: "Café \uFFFD" }, [["text", "partial"]]],
    ["text=Hi&format=css%E2&bold", { text: "Hi", format: "font", bold: true }, [["format", "default"]]],
    ["text=Hi&bold=%E2&italic", { bold: false, italic: true }, [["bold", "default"]]],
    ["text=Hi&face=M%E2%80", { face: "M\uFFFD" }, [["face", "partial"]]],
    ["text=a&format=css&text=b", { text: "b", format: "css" }, [["text", "twice"]]],
    ["text=Hi&%E2=1&foo=bar", { text: "Hi", extra: [["foo", "bar"]] }, [["\uFFFD", "dropped"]]],
    ["text=Hi&start=zzz&finish=f50", { start: "FF0000", finish: "FF5500" }, [["start", "default"]]],
    ["text=Hi&middle=%23FF0000%2C%20%2300FF00", { middle: "FFFFFF" }, [["middle", "default"]]],
    ["text=Hi&stops=%23F00%2C%2000FF00%4030%2C00f", { stops: "FF0000,00FF00@30,0000FF" }, []],
    ["text=Hi&stops=F00&space=oklab", { stops: "", space: "oklab" }, [["stops", "default"]]],
    ["text=Hi&background=%20%23abc", { background: "AABBCC" }, []],
    ["text=Hi&phase=90&fit=off", { rainbow: true, phase: "90", fit: false }, []],
]) {
    const unread = { value: false };
    const state = StateOf(link, unread);
    for (const [key, value] of Object.entries(kept)) {
        Check(Same(state[key], value), `${link}: ${key} is ${JSON.stringify(state[key])}, not ${JSON.stringify(value)}`);
    }
    Check(Same(unread.notes, notes), `${link}: says ${JSON.stringify(unread.notes)}, not ${JSON.stringify(notes)}`);
}

// A link the page wrote reads back as the same choices, and its keys stay the companion's.
{
    const state = StateOf("text=Hi%20%26%20bye&format=css&start=00ff00&stops=F00,0F0@40,00F&bold&foo=1");
    const link = LinkOf(state);
    Check(link === "text=Hi%20%26%20bye&format=css&start=00FF00&stops=FF0000%2C00FF00%4040%2C0000FF&bold&foo=1", `the link written: ${link}`);
    Check(Same(StateOf(link), state), "the link written reads back as the same choices");
}

// The colour forms people type, and the one form the engine is handed.
for (const [typed, colour] of [["#FF5500", "FF5500"], ["ff5500", "FF5500"], ["F50", "FF5500"], [" #f50 ", "FF5500"],
    ["#FF550", null], ["GG0000", null], ["#FF0000, #00FF00", null], ["", null], ["##F50", null]]) {
    Check(ColourOf(typed) === colour, `colour ${JSON.stringify(typed)} gives ${ColourOf(typed)}, not ${colour}`);
}
for (const [typed, stops] of [["#FF0000, #00FF00", "FF0000,00FF00"], ["F00,0F0", "FF0000,00FF00"],
    [" F00 , 0f0@50 , 00F ", "FF0000,00FF00@50,0000FF"], ["F00@0,0F0@ 12.5", "FF0000@0,00FF00@12.5"], ["", ""], ["  ", ""],
    ["F00", null], ["F00,zz", null], ["F00@x,0F0", null], ["F00@1@2,0F0", null], ["F00,,0F0", null], ["F00@-5,0F0", null]]) {
    Check(StopsTextOf(typed) === stops, `stops ${JSON.stringify(typed)} give ${StopsTextOf(typed)}, not ${stops}`);
}

// Stops added and removed by the buttons: a new stop halfway between the last two (the ends
// stay), from none the two colours and the one between; fewer than two stops are none.
for (const [got, stops] of [[AddedStop("", "FF0000", "0000FF"), "FF0000,800080,0000FF"],
    [AddedStop("FF0000,00FF00@40,0000FF", "FF0000", "0000FF"), "FF0000,00FF00@40,008080,0000FF"],
    [AddedStop(Array(16).fill("000000").join(","), "", ""), Array(16).fill("000000").join(",")],
    [RemovedStop("FF0000,00FF00@40,0000FF", 1), "FF0000,0000FF"], [RemovedStop("FF0000,0000FF", 0), ""]]) {
    Check(got === stops, `stops ${got}, not ${stops}`);
}

// The kinds' captions as a menu shows them: "&&" is one '&', a single '&' marks the access key.
for (const [caption, shown] of [["&&#RRGGBB（Minecraft プラグイン）", "&#RRGGBB（Minecraft プラグイン）"],
    ["&&x&&R&&R...（Minecraft プラグイン）", "&x&R&R...（Minecraft プラグイン）"], ["&Save", "Save"], ["A && B &c", "A & B c"],
    ["Discord（８色）", "Discord（８色）"]]) {
    Check(CaptionOf(caption) === shown, `caption ${caption} shows as ${CaptionOf(caption)}, not ${shown}`);
}

// The option a refusal of the companion's is about, so the page can mark its field.
for (const [error, field] of [["tintrel-html: bad value 'zzz' for --start: expected RRGGBB\n", "start"],
    ["tintrel-html: unknown option '--foo' (see --help)\n", "foo"], ["tintrel-html: unknown option '--boldd' (did you mean --bold? see --help)", "boldd"],
    ["tintrel-html: option '--bold' takes no value", "bold"], ["tintrel-html: --frames, --interval, --span, --container, --duration and --fps need --animate", null],
    ["tintrel-html: the output is 410 UTF-16 code units, over the budget of 256", null]]) {
    Check(FieldOfRefusal(error) === field, `${error.trim()} is about ${FieldOfRefusal(error)}, not ${field}`);
}

console.log(failures === 0 ? "all checks passed" : `${failures} checks failed`);
process.exit(failures === 0 ? 0 : 1);
