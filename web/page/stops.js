// The gradient's stops by pointing: a colour well and a remove button for each stop, a button
// that adds one, and the window's presets. Each change is a new stops text, handed to `changed`.
import { StopsTextOf } from "./colours.js";

// The window's presets (its "Presets" menu): caption (a source text), stops, colour space; the
// rainbow has no stops.
export const kPresets = [
    ["夕焼け", "5B247A,E0405A,FF8C42,FFD166", "oklab"],
    ["海", "0B3D91,1E88E5,26C6DA,80DEEA", "oklab"],
    ["炎", "7F0000,E53935,FF9800,FFEB3B", "oklab"],
    ["パステル", "F8BBD0,E1BEE7,BBDEFB,C8E6C9", "oklch"],
    ["虹", "", "oklch"],
];
const kMostStops = 16;

// The colour halfway between two RRGGBB colours.
export function Halfway(a, b) {
    return [0, 2, 4].map((at) => Math.round((parseInt(a.slice(at, at + 2), 16) + parseInt(b.slice(at, at + 2), 16)) / 2)
        .toString(16).padStart(2, "0")).join("").toUpperCase();
}

// The stops with one more: the colour halfway between the last two (the ends stay); from no
// stops, the two colours and the one halfway between them.
export function AddedStop(stopsText, start, finish) {
    if (!stopsText) return `${start},${Halfway(start, finish)},${finish}`;
    const stops = stopsText.split(",");
    if (stops.length >= kMostStops) return stopsText;
    const colour = (stop) => stop.split("@")[0];
    stops.splice(stops.length - 1, 0, Halfway(colour(stops.at(-2)), colour(stops.at(-1))));
    return stops.join(",");
}

// The stops without the one at `index`; none once fewer than two are left.
export function RemovedStop(stopsText, index) {
    const stops = stopsText.split(",");
    stops.splice(index, 1);
    return stops.length >= 2 ? stops.join(",") : "";
}

// The wells and buttons of the stops in `list`, in the page's language (`tr`).
export function ShowStops(list, stopsText, tr, changed) {
    const stops = StopsTextOf(stopsText ?? "") ? stopsText.split(",") : [];
    list.replaceChildren(...stops.map((stop, index) => {
        const [colour, at] = stop.split("@");
        const item = document.createElement("li");
        const well = Object.assign(document.createElement("input"), { type: "color", value: `#${colour.toLowerCase()}` });
        well.setAttribute("aria-label", tr("色 %1").replace("%1", index + 1));
        well.addEventListener("change", () => {
            stops[index] = well.value.slice(1).toUpperCase() + (at === undefined ? "" : `@${at}`);
            changed(stops.join(","));
        });
        const remove = Object.assign(document.createElement("button"), { type: "button", textContent: "×" });
        remove.setAttribute("aria-label", tr("色 %1 を外す").replace("%1", index + 1));
        remove.addEventListener("click", () => changed(RemovedStop(stopsText, index)));
        item.append(well, remove);
        return item;
    }));
}
