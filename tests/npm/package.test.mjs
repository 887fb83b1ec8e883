// The npm package as a program that installed it uses it, against tintrel-html: the same
// options give the same bytes.
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import * as tintrel from "tintrel";

const companionProgram = process.env.TINTREL_HTML_PROGRAM;

function companion(args, input = "") {
  const env = Object.fromEntries(Object.entries(process.env).filter(([k]) => k.endsWith("SAN_OPTIONS")));
  const run = spawnSync(companionProgram, args, { input, env });
  return { status: run.status, out: run.stdout, err: run.stderr.toString() };
}

const optionSets = [
  [{ format: "ansi" }, ["--format", "ansi"]],
  [{ format: "css", page: true, lang: "en" }, ["--format", "css", "--page", "--lang", "en"]],
  [{ format: "minimessage", budget: 60, bold: true }, ["--format", "minimessage", "--budget", "60", "--bold"]],
  [{ format: "irc", ircHex: true, mode: "mirror" }, ["--format", "irc", "--irc-hex", "--mode", "mirror"]],
  [{ format: "json", space: "oklch", stops: "FF0000,00FF00@30,0000FF" }, ["--format", "json", "--space", "oklch", "--stops", "FF0000,00FF00@30,0000FF"]],
];
const texts = ["Tintrel", "-", "x", "Ünïcödé あ 😀 🇯🇵 e\u0301", "<&\"> --bold"];

for (const [options, args] of optionSets) {
  test(`write, fit and count with ${args.join(" ")} give the companion's bytes`, () => {
    for (const text of texts) {
      const input = text === "-" ? "-" : "";
      assert.deepEqual(Buffer.from(tintrel.writeBytes(text, options)), companion([...args, "--", text], input).out, text);
      const fitted = companion([...args, "--fit", "--", text], input);
      if (fitted.status === 0) assert.equal(tintrel.fit(text, options), fitted.out.toString(), text);
      else assert.throws(() => tintrel.fit(text, options), { status: fitted.status });
      const counted = companion([...args, "--count", "--", text], input).err.split(/\s+/);
      const { length, budget } = tintrel.count(text, options);
      // The terminal kinds have no budget: the companion says nothing.
      if (/^\d+$/.test(counted[0])) {
        assert.equal(length, Number(counted[0]), text);
        assert.equal(budget, counted[1] === "/" ? Number(counted[2]) : 0, text);
      }
    }
  });
}

test("gradient(colours)(text) is the terminal string of the colours, multiline line by line", () => {
  const painted = tintrel.gradient(["#FF0000", "0000FF"])("Gradient");
  assert.equal(painted, companion(["--format", "ansi", "--start", "#FF0000", "--finish", "0000FF", "Gradient"]).out.toString());
  const three = tintrel.gradient(["F00", "#00FF00", "0000FF"], { format: "ansi256" });
  assert.equal(three("Gradient"), companion(["--format", "ansi256", "--stops", "FF0000,00FF00,0000FF", "Gradient"]).out.toString());
  const lines = "first line\nsecond\n";
  assert.equal(three.multiline(lines), companion(["--format", "ansi256", "--stops", "FF0000,00FF00,0000FF", "-"], lines).out.toString());
});

test("decode reads what write wrote as the companion reads it", () => {
  for (const format of ["ansi", "bbcode", "amp-x", "github"]) {
    const written = tintrel.write("Read me back, あ", { format });
    assert.equal(tintrel.decode(written), companion(["--decode", "-"], written).out.toString(), format);
  }
  assert.throws(() => tintrel.decode("plain words"), { status: tintrel.NOTHING_FOUND });
});

test("checkContrast lists what the companion lists", () => {
  for (const background of ["FFFFFF", "000000"]) {
    const args = ["--format", "ansi", "--start", "FFFF00", "--finish", "FFFF80", "--background", background];
    const said = companion([...args, "--check-contrast", "Yellow"]);
    const found = tintrel.checkContrast("Yellow", { format: "ansi", start: "FFFF00", finish: "FFFF80", background });
    assert.deepEqual(found, { passes: said.status === 0, report: said.out.toString() });
  }
});

test("bad input throws with the companion's message", () => {
  const cases = [
    [() => tintrel.write("ab", { bogus: true }), /unknown option/],
    [() => tintrel.write("ab", { format: "nosuch" }), /nosuch/],
    [() => tintrel.write("ab", { start: "GG0000" }), /GG0000/],
    [() => tintrel.write("a\0b"), /zero character/],
    [() => tintrel.write("ab", { decode: true }), /call of its own/],
    [() => tintrel.gradient(["FF0000"])("ab"), /two colours/],
  ];
  for (const [call, message] of cases) assert.throws(call, message);
});
