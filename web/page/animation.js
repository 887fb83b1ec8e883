// The animation's controls and its moving preview. The frames come from the engine as the json
// kind writes them (each frame a list of text pieces with their colours), in a JSON array, and
// play at the animation's interval; under reduced motion, or with the page hidden, they stand
// still until the play button is pressed.
import { ArgsOf } from "./state.js";

const $ = (id) => document.getElementById(id);
const kFields = ["animate", "frames", "interval", "container"];
const kDefaultInterval = 100;
// The most frames the preview holds: it shows the movement, the output holds every frame.
const kPreviewFrames = 1000;

// `state` from the animation's controls.
export function ReadAnimationControls(state) {
    state.animate = $("animate").value;
    for (const name of ["frames", "interval"]) {
        const value = Number($(name).value);
        state[name] = Number.isInteger(value) && value > 0 ? String(value) : "";
    }
    state.container = $("container").value;
    // The frames' settings mean nothing without a type; the link and the arguments leave them out.
    if (!state.animate) {
        for (const name of ["frames", "interval", "container"]) state[name] = "";
    }
}

export function ShowAnimationControls(state) {
    for (const name of kFields) $(name).value = state[name];
    $("animation-settings").toggleAttribute("data-hidden-option", !state.animate);
}

// The frames of the animation as [{ text, colour }] lists; none when the engine writes none.
function FramesOf(engine, state) {
    const args = ArgsOf({ ...state, format: "json", container: "json", budget: "", fit: false });
    const limited = Number(state.frames) > kPreviewFrames ? ["--frames", String(kPreviewFrames)] : [];
    const run = engine.Run(["--utf8", ...args.slice(0, -2), ...limited, ...args.slice(-2)]);
    if (run.status !== 0) return [];
    try {
        return JSON.parse(new TextDecoder().decode(run.bytes)).map((frame) =>
            JSON.parse(frame)
                .filter((piece) => typeof piece === "object" && piece !== null)
                .map((piece) => ({ text: piece.text ?? "", colour: piece.color ?? "" })),
        );
    } catch {
        return [];
    }
}

export class AnimationPreview {
    constructor() {
        this.element = $("animation-preview");
        this.button = $("play");
        this.frames = [];
        this.frame = 0;
        this.timer = 0;
        this.key = "";
        this.motion = window.matchMedia("(prefers-reduced-motion: reduce)");
        // Whether the user pressed play (or pause); until then, the desktop's wish decides.
        this.chosen = null;
        this.button.addEventListener("click", () => {
            this.chosen = !this.Playing();
            this.Follow();
        });
        this.motion.addEventListener("change", () => this.Follow());
        document.addEventListener("visibilitychange", () => this.Follow());
    }

    Playing() {
        return this.timer !== 0;
    }

    // The preview of the animation `state` asks for (hidden without one).
    Show(engine, state, style) {
        const key = JSON.stringify(ArgsOf(state));
        this.element.closest("section").toggleAttribute("data-hidden-option", !state.animate);
        style(this.element);
        this.element.setAttribute("aria-label", state.text);
        if (key !== this.key) {
            this.key = key;
            this.frames = state.animate ? FramesOf(engine, state) : [];
            this.frame = 0;
            this.interval = Number(state.interval) || kDefaultInterval;
            this.Stop();
            this.Draw();
        }
        this.Follow();
    }

    // Plays when the user asked to, or while nobody asked and the desktop allows motion; never
    // while the page is hidden.
    Follow() {
        const wanted = this.chosen ?? !this.motion.matches;
        const play = wanted && !document.hidden && this.frames.length > 1;
        if (play && !this.Playing()) {
            this.timer = setInterval(() => {
                this.frame = (this.frame + 1) % this.frames.length;
                this.Draw();
            }, this.interval);
        } else if (!play) {
            this.Stop();
        }
        this.button.setAttribute("aria-pressed", String(this.Playing()));
    }

    Stop() {
        clearInterval(this.timer);
        this.timer = 0;
    }

    Draw() {
        const fragment = document.createDocumentFragment();
        for (const piece of this.frames[this.frame] ?? []) {
            const span = document.createElement("span");
            span.style.color = piece.colour;
            span.textContent = piece.text;
            fragment.append(span);
        }
        this.element.replaceChildren(fragment);
        this.element.dataset.frame = String(this.frame);
    }
}
