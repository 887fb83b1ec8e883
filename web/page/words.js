// The engine's texts as the page shows them.

// A kind's caption as a menu shows it: a single '&' marks the access key and is not shown, a
// doubled "&&" stands for one '&'.
export function CaptionOf(caption) {
    return caption.replace(/&(&?)/g, "$1");
}

// The option a refusal of the companion's is about ("bad value 'zzz' for --start: ...",
// "unknown option '--foo' (see --help)"), without its dashes; null when it names none.
export function FieldOfRefusal(error) {
    const match = /(?:for |option ')--([A-Za-z0-9][A-Za-z0-9-]*)/.exec(error);
    return match ? match[1] : null;
}
