"""The Python module against tintrel-html: the same options give the same bytes."""

import os
import random
import subprocess

import pytest

import tintrel

COMPANION = os.environ["TINTREL_HTML_PROGRAM"]

OPTION_SETS = [
    {},
    {"utf8": True, "bold": True, "table": True},
    {"format": "css", "page": True, "lang": "en"},
    {"format": "ansi", "space": "oklch", "stops": "FF0000,00FF00@30,0000FF"},
    {"format": "minimessage", "budget": 60},
    {"format": "irc", "irc_hex": True, "underline": False},
    {"format": "pango", "italic": True, "background": "000000"},
]

POOL = ["a", "Z", " ", "<", "&", "é", "あ", "😀", "e\u0301", "€", "-", "🇯🇵"]


def texts():
    rng = random.Random(36)
    return ["Tintrel", "-", "x", "--bold"] + ["".join(rng.choice(POOL) for _ in range(rng.randrange(25))) for _ in range(3)]


def companion(options, *call, text=None, stdin=b""):
    args = [COMPANION]
    for name, value in options.items():
        if value is True:
            args.append("--" + name.replace("_", "-"))
        elif value not in (None, False):
            args += ["--" + name.replace("_", "-"), str(value)]
    args += list(call) + ([] if text is None else ["--", text])
    sanitizers = {k: v for k, v in os.environ.items() if k.endswith("SAN_OPTIONS") and k != "ASAN_OPTIONS"}
    # The companion reads a TEXT of "-" from standard input: that is where it is given "-" itself.
    run = subprocess.run(args, input=b"-" if text == "-" else stdin, capture_output=True, env=sanitizers)
    return run.returncode, run.stdout, run.stderr.decode("utf-8", "replace")


@pytest.mark.parametrize("options", OPTION_SETS, ids=lambda o: ",".join(o) or "defaults")
@pytest.mark.parametrize("text", texts())
@pytest.mark.parametrize("call, flag", [(tintrel.write, None), (tintrel.fit, "--fit")])
def test_write_and_fit_give_the_companions_bytes(options, text, call, flag):
    status, out, err = companion(options, *filter(None, [flag]), text=text)
    if status == 0:
        assert call(text, **options) == out
    else:
        with pytest.raises(tintrel.TintrelError) as refused:
            call(text, **options)
        assert refused.value.status == status


@pytest.mark.parametrize("options", OPTION_SETS, ids=lambda o: ",".join(o) or "defaults")
def test_count_says_what_the_companion_says(options):
    said = companion(options, "--count", text="Tintrel")[2].split()
    length, budget = tintrel.count("Tintrel", **options)
    if said:  # the terminal kinds have no budget: the companion says nothing
        assert [length, budget] == [int(said[0]), int(said[2]) if said[1] == "/" else 0]


@pytest.mark.parametrize("kind", ["ansi", "bbcode", "json", "amp-x", "github"])
def test_decode_reads_what_write_wrote_as_the_companion_does(kind):
    written = tintrel.write("Read me back, あ", format=kind).decode("utf-8")
    status, out, err = companion({}, "--decode", "-", stdin=written.encode("utf-8"))
    assert status == 0
    assert tintrel.decode(written) == out.decode("utf-8")


@pytest.mark.parametrize("background, passes", [("FFFFFF", False), ("000000", True)])
def test_check_contrast_lists_what_the_companion_lists(background, passes):
    options = {"format": "ansi", "start": "FFFF00", "finish": "FFFF80", "background": background}
    status, out, err = companion(options, "--check-contrast", text="Yellow")
    assert tintrel.check_contrast("Yellow", **options) == (passes, out.decode("utf-8"))
    assert status == (0 if passes else 4)


@pytest.mark.parametrize(
    "colours, options",
    [(["FF0000", "0000FF"], ["--start", "FF0000", "--finish", "0000FF"]),
     (["#F00", "00FF00", "#0000FF"], ["--stops", "FF0000,00FF00,0000FF"])],
)
def test_gradient_is_the_terminal_string_of_the_colours(colours, options):
    status, out, err = companion({}, "--format", "ansi", *options, text="Gradient")
    assert tintrel.gradient("Gradient", colours) == out.decode("utf-8")


@pytest.mark.parametrize(
    "call, message",
    [(lambda: tintrel.write("ab", bogus=True), "unknown option"),
     (lambda: tintrel.write("ab", format="nosuch"), "nosuch"),
     (lambda: tintrel.write("ab", start="GG0000"), "GG0000"),
     (lambda: tintrel.write("ab", bold="yes"), "takes no value"),
     (lambda: tintrel.write("a\ud800b"), "UTF-8"),
     (lambda: tintrel.write("a\0b"), "zero character"),
     (lambda: tintrel.decode("plain words"), "no gradient text"),
     (lambda: tintrel.fit("a long text that cannot fit", format="minimessage", budget=10), "does not fit")],
)
def test_bad_input_raises_with_the_librarys_message(call, message):
    with pytest.raises(tintrel.TintrelError, match=message):
        call()
