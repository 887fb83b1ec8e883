#!/usr/bin/env python3
"""The frame containers of tintrel-html --animate read back by a YAML and a JSON parser: every
frame of the tab, velocitab and json containers is the frame of the lines container, quotes,
backslashes, escape codes and all."""

import json
import subprocess
import sys

import yaml

PROGRAM = sys.argv[1]
TEXTS = ['Say "hi" \\ and \\" go', "Gr\u00fcn \U0001F389 <b>&amp;"]
KINDS = ["minimessage", "json", "font", "ansi", "css"]


def run(*args):
    done = subprocess.run([PROGRAM, *args], capture_output=True, check=True)
    return done.stdout.decode("utf-8")


def main():
    failures = 0
    for text in TEXTS:
        for kind in KINDS:
            common = ["--format", kind, "--animate", "shift", "--frames", "5", "--utf8", "--", text]
            lines = run("--container", "lines", *common).split("\n")[:-1]
            read = {
                "tab": yaml.safe_load(run("--container", "tab", "--interval", "250", *common)),
                "velocitab": yaml.safe_load(run("--container", "velocitab", *common)),
                "json": json.loads(run("--container", "json", *common)),
            }
            tab = read["tab"]["gradient"]
            if tab["change-interval"] != 250:
                print(f"{kind} {text!r}: change-interval {tab['change-interval']}")
                failures += 1
            read["tab"] = tab["texts"]
            for container, frames in read.items():
                if frames != lines or len(lines) != 5:
                    print(f"{kind} {text!r} in {container}: {frames!r} is not {lines!r}")
                    failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
