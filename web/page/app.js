// Tintrel in the browser: the page's controls become the arguments of the command-line
// companion, whose own runner (compiled to WebAssembly) writes the output, so the page writes
// what tintrel-html writes.
import { AnimationPreview, ReadAnimationControls, ShowAnimationControls } from "./animation.js";
import TintrelModule from "./tintrel.js";
import { kEnglish } from "./messages.js";
import { Engine } from "./engine.js";
import { ArgsOf, LinkOf, StateOf, kDefaults } from "./state.js";
import { ColourOf, StopsTextOf } from "./colours.js";
import { CaptionOf, FieldOfRefusal } from "./words.js";
import { AddedStop, ShowStops, kPresets } from "./stops.js";

const english = (() => {
    for (const language of navigator.languages || [navigator.language]) {
        if (language.startsWith("ja")) return false;
        if (language.startsWith("en")) return true;
    }
    return true;
})();

// A text of the program's (or of the page's own, web/PageTexts.h), in the page's language.
function tr(source) {
    return english ? (kEnglish[source] ?? source) : source;
}

const $ = (id) => document.getElementById(id);
const kColours = ["start", "middle", "finish", "background"];
const kSwitches = ["head", "bold", "italic", "underline", "strike", "logical", "comment", "break", "table", "face-tag", "rainbow", "fit"];
// The values of the gradient and the length budget, each one field.
const kFields = ["space", "stops", "phase", "budget"];

let engine = null;
let animation = null; // the moving preview
let state = { ...kDefaults };
let kinds = [];
let rendered = { bytes: new Uint8Array(), preview: { Units: () => [] }, status: 0 };
let pending = false;

function TranslatePage() {
    document.documentElement.lang = english ? "en" : "ja";
    for (const element of document.querySelectorAll("[data-text]")) {
        element.textContent = tr(element.dataset.text).trim();
    }
    for (const element of document.querySelectorAll("[data-label]")) {
        element.setAttribute("aria-label", tr(element.dataset.label));
    }
    for (const element of document.querySelectorAll("[data-title]")) {
        element.title = tr(element.dataset.title);
    }
}

function FillKinds() {
    const select = $("format");
    select.replaceChildren();
    for (const kind of kinds) {
        const option = document.createElement("option");
        option.value = kind.name;
        // A kind the window does not offer has no caption in the page's languages: its name stands
        // for it, and its help (English) is its hint on the English page only.
        option.textContent = kind.caption ? CaptionOf(tr(kind.caption)) : kind.name;
        if (kind.hint) option.title = tr(kind.hint);
        else if (english) option.title = kind.help;
        select.append(option);
    }
}

// The controls show `state`.
function ShowState() {
    $("text").value = state.text;
    for (const colour of kColours) {
        $(`${colour}-hex`).value = `#${state[colour]}`;
        $(`${colour}-hex`).removeAttribute("aria-invalid");
        $(`${colour}-picker`).value = `#${state[colour].toLowerCase()}`;
    }
    for (const radio of document.querySelectorAll("input[name=mode]")) radio.checked = radio.value === state.mode;
    $("size").value = state.size;
    $("face").value = state.face;
    for (const name of kFields) $(name).value = state[name];
    $("stops").removeAttribute("aria-invalid");
    for (const name of kSwitches) $(name).checked = state[name];
    $("upper").checked = !state.lower;
    $("format").value = state.format;
    ShowAnimationControls(state);
    FollowStops();
    ShowKindOptions();
    ShowStopList();
}

// The stops as wells and buttons; a change there is a stops text typed.
function ShowStopList() {
    ShowStops($("stop-list"), state.stops, tr, (stops) => {
        $("stops").value = stops;
        ReadControls();
        FollowStops();
        ShowState();
        Render();
    });
}

// Only the options the chosen kind writes something for are offered.
function ShowKindOptions() {
    const kind = kinds.find((k) => k.name === state.format) ?? kinds[0];
    for (const element of document.querySelectorAll("#kind-options [data-option]")) {
        element.toggleAttribute("data-hidden-option", !kind.options.includes(element.dataset.option));
    }
    const middle = document.querySelector("[data-colour=middle]");
    middle.toggleAttribute("data-hidden-option", state.mode !== "three" && (StopsOf(state.stops)?.length ?? 0) < 3);
    $("target-options").toggleAttribute("data-hidden-option", !kind.target);
    $("fit-option").toggleAttribute("data-hidden-option", !kind.fit);
    // An empty budget is the target's own, shown in the field.
    $("budget").placeholder = kind.budget > 0 ? String(kind.budget) : "";
    $("phase-group").toggleAttribute("data-hidden-option", !state.rainbow);
    // The ends are left and right (outer and inner) only where the gradient is mirrored.
    const ends = state.mode === "mirror" ? ["左側（外側）の色", "右側（内側）の色"] : ["始めの色", "終わりの色"];
    for (const [colour, text] of [["start", ends[0]], ["finish", ends[1]]]) {
        document.querySelector(`label[for=${colour}-hex]`).textContent = tr(text);
        $(`${colour}-picker`).setAttribute("aria-label", tr(text));
    }
    // A size or a face name is offered only for the kinds that write it.
    $("size-row").toggleAttribute("data-hidden-option", !kind.writes.size);
    $("face-row").toggleAttribute("data-hidden-option", !kind.writes.face);
}

// The stops of a valid stops text as [RRGGBB, "@P" or ""] pairs; null for none.
function StopsOf(text) {
    if (!text) return null;
    return text.split(",").map((stop) => {
        const [colour, at = ""] = stop.replace(/^#/, "").split(/(?=@)/);
        const hex = colour.length === 3 ? [...colour].map((digit) => digit + digit).join("") : colour;
        return [hex.toUpperCase(), at];
    });
}

// Which stop each colour field stands for while stops are given, as the window's colour buttons
// do: the first, the last, and the middle one of three or more.
function StopIndex(colour, count) {
    return { start: 0, finish: count - 1, middle: count >= 3 ? Math.floor(count / 2) : -1 }[colour] ?? -1;
}

// While stops are given, the colour fields show their stops, and a colour typed, picked or
// swapped in one of them (named in `changed`) becomes its stop.
function FollowStops(...changed) {
    const stops = StopsOf(state.stops);
    if (!stops) return;
    const indices = changed.map((colour) => [colour, StopIndex(colour, stops.length)]).filter(([, index]) => index >= 0);
    for (const [colour, index] of indices) stops[index][0] = state[colour];
    if (indices.length > 0) {
        state.stops = stops.map(([hex, at]) => hex + at).join(",");
        $("stops").value = state.stops;
    }
    for (const colour of ["start", "middle", "finish"]) {
        const at = StopIndex(colour, stops.length);
        // The field being typed in stays as it is.
        if (at < 0 || changed.includes(colour)) continue;
        state[colour] = stops[at][0];
        $(`${colour}-hex`).value = `#${state[colour]}`;
        $(`${colour}-hex`).removeAttribute("aria-invalid");
        $(`${colour}-picker`).value = `#${state[colour].toLowerCase()}`;
    }
}

// `state` from the controls.
function ReadControls() {
    state.text = $("text").value;
    for (const colour of kColours) {
        const value = ColourOf($(`${colour}-hex`).value);
        $(`${colour}-hex`).toggleAttribute("aria-invalid", value === null);
        if (value !== null) state[colour] = value;
    }
    state.mode = document.querySelector("input[name=mode]:checked")?.value ?? "two";
    state.size = $("size").value;
    state.face = $("face").value;
    state.space = $("space").value;
    // Stops as the companion takes them (it says what is wrong with a list of the right shape).
    const stops = StopsTextOf($("stops").value);
    $("stops").toggleAttribute("aria-invalid", stops === null);
    if (stops !== null) state.stops = stops;
    state.phase = $("phase").value.trim();
    // A budget of 0 (or none) is the target's own, as in the window.
    const budget = Number($("budget").value);
    state.budget = Number.isInteger(budget) && budget > 0 ? String(budget) : "";
    for (const name of kSwitches) state[name] = $(name).checked;
    state.lower = !$("upper").checked;
    state.format = $("format").value;
    // The budget and fitting are offered (and written) only for the kinds they apply to.
    const kind = kinds.find((k) => k.name === state.format);
    if (!kind?.target) state.budget = "";
    if (!kind?.fit) state.fit = false;
    ReadAnimationControls(state);
    ShowAnimationControls(state);
}

function Render() {
    pending = false;
    clearTimeout(renderTimer);
    rendered = RenderRefused();
    if (rendered.status === 0) {
        ShowOutput(rendered.bytes);
        lastGood = { ...state, extra: [...state.extra] };
    }
    ShowCount();
    DrawPreview();
    if (state.text.length < kPromptLink && !starting) {
        Keep();
    } else {
        KeepSoon();
    }
}

// The choices the output shown was last written for.
let lastGood = { ...kDefaults };

// The page's field for an option of the companion's.
const kFieldOf = { start: "start-hex", middle: "middle-hex", finish: "finish-hex", background: "background-hex", fit: "budget" };

// The choices a value changes beside its own.
const kSpreadTo = { stops: ["start", "middle", "finish"], phase: ["rainbow"] };

// Renders the choices. What the companion refuses is said at its field, in the page's words, in
// the status line, while the output shown stays the last good one: a piece of the link the
// companion does not know is left out, and a value it refuses is put back to the last good one
// (the field keeps what was typed, marked).
function RenderRefused() {
    for (const field of document.querySelectorAll("[data-refused]")) {
        field.removeAttribute("data-refused");
        field.removeAttribute("aria-invalid");
    }
    const said = [];
    let result = engine.Render(state);
    for (let tries = 0; result.status !== 0 && tries < 4; tries++) {
        const name = FieldOfRefusal(result.error);
        const extra = state.extra.findIndex(([key]) => key === name);
        if (extra >= 0) {
            state.extra.splice(extra, 1);
            said.push(tr("リンクの「%1」は使えないので外しました").replace("%1", name));
        } else if (name !== null && name in kDefaults && result.status !== 3) {
            const field = $(kFieldOf[name] ?? name);
            field?.setAttribute("aria-invalid", "true");
            field?.setAttribute("data-refused", "");
            const label = field ? document.querySelector(`label[for="${field.id}"]`)?.textContent ?? name : name;
            said.push(tr("%1：この値では書けないので、出力は前のままです").replace("%1", label));
            state[name] = lastGood[name];
            // What the value had spread to goes back with it: the colour fields stood for the
            // stops, a first hue turned the rainbow on.
            for (const linked of kSpreadTo[name] ?? []) state[linked] = lastGood[linked];
            for (const colour of kSpreadTo[name]?.filter((linked) => kColours.includes(linked)) ?? []) {
                $(`${colour}-hex`).value = `#${state[colour]}`;
                $(`${colour}-picker`).value = `#${state[colour].toLowerCase()}`;
            }
            $("rainbow").checked = state.rainbow;
            $("format").value = state.format;
        } else {
            if (result.status === 3) $("budget").setAttribute("aria-invalid", "true");
            if (result.status === 3) $("budget").setAttribute("data-refused", "");
            said.push(tr(result.status === 3 ? "長さの上限に収まらないので、出力は前のままです" : "この選び方では書けないので、出力は前のままです"));
            break;
        }
        result = engine.Render(state);
    }
    Say(said.length > 0 ? said.join(" ") : result.status === 0 ? result.notes : "");
    return result;
}

// The link and the browser's storage follow the choices at once, or for a long text once the
// typing pauses: its link is long, and takes the browser a while to take in. The first preview
// does not wait for them either.
const kPromptLink = 4096;
let starting = true;
let keepTimer = 0;
function KeepSoon() {
    clearTimeout(keepTimer);
    keepTimer = setTimeout(Keep, 150);
}

function Keep() {
    const link = LinkOf(state);
    try {
        history.replaceState(null, "", link ? `#${link}` : location.pathname);
    } catch {
        // A link longer than the browser takes: the storage still keeps the choices.
    }
    try {
        localStorage.setItem("tintrel.state", link);
    } catch {
        // Storage may be refused (private windows); the link still carries the choices.
    }
}

// A long output stands in pieces that the browser lays out only when they are scrolled into
// view (laying out megabytes of text at once takes seconds). The pieces are inline blocks, so the
// element's text, a selection and a copy of it are the output unchanged. The first pieces are
// shown at once; the rest are filled in a few at a time while the page is otherwise idle, with
// the element marked busy (aria-busy) until its text is whole.
const kOutputPiece = 16384; // bytes of UTF-8
const kShownAtOnce = 8; // pieces
const kFillSlice = 8; // milliseconds of filling before the page takes its next event

// Where a piece of `bytes` (UTF-8) from `start` may end: after a line end in its second half,
// else between two ASCII characters (never inside a character or CR LF), near kOutputPiece
// bytes on.
function PieceEnd(bytes, start) {
    const limit = start + kOutputPiece;
    if (limit >= bytes.length) return bytes.length;
    const half = start + kOutputPiece / 2;
    const feed = bytes.subarray(half, limit).lastIndexOf(10);
    if (feed >= 0) return half + feed + 1;
    for (let end = limit; end < bytes.length; end++) {
        const [before, after] = [bytes[end - 1], bytes[end]];
        if (before < 0x80 && after < 0x80 && !(before === 13 && after === 10)) return end;
    }
    return bytes.length;
}

const kPieceText = new TextDecoder();
let filling = 0; // the timer of the pieces still to fill

function ShowOutput(bytes) {
    const output = $("output");
    clearTimeout(filling);
    output.removeAttribute("aria-busy");
    if (bytes.length <= kOutputPiece) {
        output.textContent = kPieceText.decode(bytes);
        return;
    }
    const pieces = [];
    for (let start = 0; start < bytes.length;) {
        const end = PieceEnd(bytes, start);
        const piece = document.createElement("span");
        piece.className = "piece";
        pieces.push({ piece, text: bytes.subarray(start, end) });
        start = end;
    }
    const Fill = (piece) => (piece.piece.textContent = kPieceText.decode(piece.text));
    pieces.slice(0, kShownAtOnce).forEach(Fill);
    output.replaceChildren(...pieces.map((piece) => piece.piece));
    let next = kShownAtOnce;
    const FillSome = () => {
        const started = performance.now();
        while (next < pieces.length && performance.now() - started < kFillSlice) Fill(pieces[next++]);
        if (next < pieces.length) {
            filling = setTimeout(FillSome, 0);
        } else {
            output.removeAttribute("aria-busy");
        }
    };
    if (next < pieces.length) {
        output.setAttribute("aria-busy", "true");
        filling = setTimeout(FillSome, 0);
    }
}

// The output's length against its budget, as the companion counts it, and the step that
// shortened it, in the window's words.
function ShowCount() {
    const kind = kinds.find((k) => k.name === state.format) ?? kinds[0];
    const count = rendered.count;
    $("count-row").hidden = !count;
    if (!count) return;
    $("count-caption").textContent = "";
    const words = tr(kind.counted === "bytes" ? "%2バイトのうち%1バイト" : "%2文字のうち%1文字")
        .replace("%1", count.length).replace("%2", count.budget);
    const over = !count.fits
        ? tr("：長すぎます（短くしても%1文字）").replace("%1", count.fitting)
        : count.length > count.budget ? tr("：貼り付け先には長すぎます") : "";
    $("count").textContent = words + over;
    $("count").toggleAttribute("data-over", !count.fits || count.length > count.budget);
    const steps = {
        runs: tr("同じ色の並びは１つのコードにしました"),
        spaces: tr("同じ色の並びと空白にはコードを付けませんでした"),
        share: tr("%1文字ずつ同じ色にしました").replace("%1", count.share),
        tag: tr("<gradient> タグにしました（色はサーバーが計算します）"),
    };
    $("fit-step").textContent = count.step ? `　${steps[count.step]}` : "";
}

// A long text is coloured again once the typing pauses, not at every key: a key then costs no
// more than the text field's own work, and the output follows a moment after.
const kLongText = 20000;
const kTypingPause = 150;
let renderTimer = 0;

function RenderSoon() {
    if (state.text.length >= kLongText) {
        clearTimeout(renderTimer);
        renderTimer = setTimeout(Render, kTypingPause);
    } else if (!pending) {
        pending = true;
        requestAnimationFrame(Render);
    }
}

function PreviewStyle(element) {
    element.style.fontWeight = state.bold ? "bold" : "";
    element.style.fontStyle = state.italic ? "italic" : "";
    element.style.textDecoration = [state.underline ? "underline" : "", state.strike ? "line-through" : ""].join(" ").trim();
    element.style.fontFamily = state.face ? `'${state.face.replace(/'/g, "")}', sans-serif` : "";
    element.style.background = state.table ? `#${state.background}` : "";
}

// A preview longer than this shows its beginning: a page of coloured characters is as many as
// anyone looks at, and the output holds them all.
const kPreviewUnits = 2000;

// The share of the units whose colour is nearer white than black in contrast (WCAG's relative
// luminance above 0.18).
function LightShare(units) {
    const Linear = (value) => (value <= 0.04045 ? value / 12.92 : ((value + 0.055) / 1.055) ** 2.4);
    const light = units.filter((unit) => {
        const [r, g, b] = [0, 2, 4].map((at) => Linear(parseInt(unit.colour.slice(at, at + 2), 16) / 255));
        return 0.2126 * r + 0.7152 * g + 0.0722 * b > 0.18;
    });
    return light.length / units.length;
}

function DrawPreview() {
    const preview = $("preview");
    preview.setAttribute("aria-label", state.text);
    PreviewStyle(preview);
    const fragment = document.createDocumentFragment();
    const units = rendered.preview.Units(kPreviewUnits + 1);
    for (const unit of units.slice(0, kPreviewUnits)) {
        const span = document.createElement("span");
        span.style.color = `#${unit.colour}`;
        span.textContent = unit.text;
        fragment.append(span);
    }
    if (units.length > kPreviewUnits) fragment.append("…");
    preview.replaceChildren(fragment);
    // Light colours (yellow, pale rainbows: the game targets' usual ones) are drawn on a dark
    // ground, where they can be read; a table's own background stays.
    preview.toggleAttribute("data-dark", !state.table && units.length > 0 && LightShare(units) > 0.5);
    animation.Show(engine, state, PreviewStyle);
}

function Say(message) {
    $("status").textContent = message;
}

// A link read only in part says so.
function SayUnread(unread) {
    const kHow = {
        partial: "%1は読める所まで読みました",
        default: "%1は既定のままにしました",
        dropped: "名前の読めない「%1」は外しました",
        twice: "%1は２度あるので後の方にしました",
    };
    const notes = (unread.notes ?? []).map(([key, how]) => tr(kHow[how]).replace("%1", key));
    // What the render said of the choices read (a value refused) stays after it.
    const said = $("status").textContent;
    const unreadSaid = notes.length > 0 ? tr("リンクの一部が読めません：%1").replace("%1", notes.join(tr("、")))
        : unread.value ? tr("リンクの一部が読めないので、読める所まで読みました") : "";
    if (unreadSaid) Say(said ? `${unreadSaid} ${said}` : unreadSaid);
}

function Download(name, type, data) {
    const url = URL.createObjectURL(new Blob([data], { type }));
    const link = document.createElement("a");
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
}

async function Copy() {
    const kind = kinds.find((k) => k.name === state.format);
    if (rendered.status !== 0 || rendered.bytes.length === 0) {
        Say(tr("コピーするものがありません"));
        return;
    }
    const flavours = { "text/plain": new Blob([rendered.bytes], { type: "text/plain" }) };
    if (kind.html) flavours["text/html"] = new Blob([rendered.bytes], { type: "text/html" });
    try {
        await navigator.clipboard.write([new ClipboardItem(flavours)]);
        Say(kind.copied ? tr(kind.copied) : tr("コピーしました ").trim());
    } catch {
        Say(tr("クリップボードを使えません"));
    }
}

function Save() {
    const kind = kinds.find((k) => k.name === state.format);
    const saved = engine.SavedBytes(state, kind);
    if (saved.status !== 0) {
        Say(saved.error);
        return;
    }
    Download(kind.fileName, kind.html ? "text/html" : "text/plain", saved.bytes);
    Say(tr("HTMLを保存しました"));
}

function PictureFont() {
    const preview = getComputedStyle($("preview"));
    return `${preview.fontStyle} ${preview.fontWeight} ${preview.fontSize} ${preview.fontFamily}`;
}

function SavePng() {
    const units = rendered.preview.Units();
    if (units.length === 0) {
        Say(tr("画像にするものがありません"));
        return;
    }
    const canvas = document.createElement("canvas");
    const context = canvas.getContext("2d");
    context.font = PictureFont();
    const widths = units.map((unit) => context.measureText(unit.text).width);
    const size = parseFloat(getComputedStyle($("preview")).fontSize);
    canvas.width = Math.ceil(widths.reduce((a, b) => a + b, 0) + size);
    canvas.height = Math.ceil(size * 1.6);
    context.fillStyle = state.table ? `#${state.background}` : "#ffffff";
    context.fillRect(0, 0, canvas.width, canvas.height);
    context.font = PictureFont();
    context.textBaseline = "middle";
    let x = size / 2;
    units.forEach((unit, index) => {
        context.fillStyle = `#${unit.colour}`;
        context.fillText(unit.text, x, canvas.height / 2);
        x += widths[index];
    });
    canvas.toBlob((blob) => Download("Sample.png", "image/png", blob), "image/png");
    Say(tr("画像を保存しました"));
}

function EscapeXml(text) {
    return text.replace(/[&<>"]/g, (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" })[c]);
}

function SaveSvg() {
    const units = rendered.preview.Units();
    if (units.length === 0) {
        Say(tr("画像にするものがありません"));
        return;
    }
    const preview = getComputedStyle($("preview"));
    const size = parseFloat(preview.fontSize);
    const tspans = units.map((unit) => `<tspan fill="#${unit.colour}">${EscapeXml(unit.text)}</tspan>`).join("");
    const decoration = [state.underline ? "underline" : "", state.strike ? "line-through" : ""].join(" ").trim();
    const svg =
        `<svg xmlns="http://www.w3.org/2000/svg" width="${Math.ceil(size * (units.length + 1))}" height="${Math.ceil(size * 1.6)}">` +
        `<title>${EscapeXml(state.text)}</title>` +
        (state.table ? `<rect width="100%" height="100%" fill="#${state.background}"/>` : "") +
        `<text x="${size / 2}" y="${size * 1.1}" font-size="${size}" font-family="${EscapeXml(preview.fontFamily)}"` +
        (state.bold ? ' font-weight="bold"' : "") + (state.italic ? ' font-style="italic"' : "") +
        (decoration ? ` text-decoration="${decoration}"` : "") + `>${tspans}</text></svg>\n`;
    Download("Sample.svg", "image/svg+xml", svg);
    Say(tr("画像を保存しました"));
}

function SaveStyle() {
    const saved = engine.StyleFile(state, $("style-name").value || "Tintrel");
    if (saved.status !== 0) {
        Say(saved.error);
        return;
    }
    Download("Tintrel.tsy", "application/octet-stream", saved.bytes);
}

async function OpenStyle(file) {
    const read = engine.ReadStyle(new Uint8Array(await file.arrayBuffer()));
    if (read.status !== 0) {
        Say(`${tr("スタイルファイルを読み込みませんでした。\n").trim()} ${read.error}`);
        return;
    }
    Object.assign(state, read.style);
    $("style-name").value = read.name;
    ShowState();
    Render();
    Say(tr("スタイルファイルを読み込みました"));
}

function Wire() {
    const form = $("controls");
    form.addEventListener("input", (event) => {
        const id = event.target.id ?? "";
        if (id.endsWith("-picker")) {
            const colour = id.slice(0, -"-picker".length);
            $(`${colour}-hex`).value = event.target.value.toUpperCase();
        }
        ReadControls();
        FollowStops(id.replace(/-(hex|picker)$/, ""));
        ShowKindOptions();
        if (id === "stops" || id.endsWith("-hex") || id.endsWith("-picker")) ShowStopList();
        RenderSoon();
    });
    form.addEventListener("change", () => {
        ReadControls();
        FollowStops();
        ShowKindOptions();
        RenderSoon();
    });
    form.addEventListener("submit", (event) => event.preventDefault());
    $("swap").addEventListener("click", () => {
        [state.start, state.finish] = [state.finish, state.start];
        FollowStops("start", "finish");
        ShowState();
        Render();
    });
    $("add-stop").addEventListener("click", () => {
        $("stops").value = AddedStop(state.stops, state.start, state.finish);
        ReadControls();
        ShowState();
        Render();
    });
    // A preset is chosen as in the window: its stops and colour space, or the rainbow.
    for (const [caption, stops] of kPresets) $("preset").append(new Option(tr(caption), stops || "rainbow"));
    $("preset").addEventListener("change", (event) => {
        event.stopPropagation();
        const preset = kPresets.find(([, stops]) => (stops || "rainbow") === event.target.value);
        event.target.value = "";
        if (!preset) return;
        Object.assign(state, { stops: preset[1], space: preset[2], rainbow: preset[1] === "", phase: "", mode: "two" });
        FollowStops();
        ShowState();
        Render();
    });
    $("copy").addEventListener("click", Copy);
    $("save").addEventListener("click", Save);
    $("png").addEventListener("click", SavePng);
    $("svg").addEventListener("click", SaveSvg);
    $("style-save").addEventListener("click", SaveStyle);
    $("style-open").addEventListener("click", () => $("style-file").click());
    $("style-file").addEventListener("change", (event) => {
        const [file] = event.target.files;
        if (file) OpenStyle(file);
        event.target.value = "";
    });
    // The link the user went to wins over a link still waiting to be kept for the text before:
    // it is read from the event, as that waiting link may already have replaced the address.
    window.addEventListener("hashchange", (event) => {
        clearTimeout(keepTimer);
        const unread = { value: false };
        state = StateOf(new URL(event.newURL).hash.slice(1), unread);
        ShowState();
        Render();
        SayUnread(unread);
    });
}

async function Start() {
    const started = performance.now();
    TranslatePage();
    engine = new Engine(await TintrelModule());
    animation = new AnimationPreview();
    kinds = engine.Kinds().map((kind) => ({ ...kind, writes: engine.Writes(kind.name) }));
    FillKinds();
    let link = location.hash.slice(1);
    if (!link) {
        try {
            link = localStorage.getItem("tintrel.state") ?? "";
        } catch {
            link = "";
        }
    }
    const unread = { value: false };
    state = StateOf(link, unread);
    ShowState();
    Wire();
    Render();
    SayUnread(unread);
    starting = false;
    // For scripts and tests: the engine, and when the first preview was drawn (from the start of
    // the page's loading, and from the start of this script).
    const now = performance.now();
    window.tintrel = { engine, state: () => state, args: ArgsOf, firstPreview: now, firstPreviewFromScript: now - started, render: Render };
    document.documentElement.dataset.ready = "true";
}

Start();
