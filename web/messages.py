#!/usr/bin/env python3
"""Writes the page's message table from the program's translation file: the English of every
window text (the main window's, then the dialogs'), keyed by its Japanese source text.

messages.py tintrel_en.ts messages.js
"""
import json
import sys
import xml.etree.ElementTree as ET


def main(source, target):
    english = {}
    contexts = list(ET.parse(source).getroot().iter("context"))
    # The main window's texts first; a text of another window (a dialog) fills in what it lacks.
    contexts.sort(key=lambda context: context.findtext("name") != "TForm1")
    for context in contexts:
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("unfinished", "obsolete", "vanished"):
                continue
            english.setdefault(message.findtext("source"), translation.text or "")
    with open(target, "w", encoding="utf-8") as out:
        out.write("// Made by web/messages.py from translations/tintrel_en.ts; do not edit.\n")
        out.write("export const kEnglish = ")
        json.dump(english, out, ensure_ascii=False, indent=0, sort_keys=True)
        out.write(";\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
