"""Tintrel's engine from Python: gradient-coloured text in every kind tintrel-html writes.

The module calls libtintrel through ctypes, so it needs no compiler. Options take
tintrel-html's names with ``_`` for ``-`` (``irc_hex=True``, ``start="FF0000"``); a switch is
``True``, and ``False`` or ``None`` leaves an option out. The library is found through the
TINTREL_LIBRARY environment variable (a path), else as the installed libtintrel.so.1.
"""

import ctypes
import ctypes.util
import os

__all__ = ["TintrelError", "write", "decode", "count", "fit", "check_contrast", "gradient", "version"]

OK, NOTHING_FOUND, BAD_INPUT, DOES_NOT_FIT, CONTRAST_SHORT, FAILED = range(6)


class TintrelError(Exception):
    """A call the library refused or could not carry out; ``status`` is its tintrel_status."""

    def __init__(self, status, message):
        super().__init__(message)
        self.status = status


def _load():
    path = os.environ.get("TINTREL_LIBRARY") or ctypes.util.find_library("tintrel") or "libtintrel.so.1"
    lib = ctypes.CDLL(path)
    options, text, out = ctypes.c_void_p, ctypes.c_char_p, ctypes.POINTER(ctypes.c_void_p)
    size = ctypes.POINTER(ctypes.c_size_t)
    signatures = {
        "tintrel_version": (ctypes.c_char_p, []),
        "tintrel_options_new": (options, []),
        "tintrel_options_free": (None, [options]),
        "tintrel_set": (ctypes.c_int, [options, text, text]),
        "tintrel_write": (ctypes.c_int, [options, text, text, out, size]),
        "tintrel_decode": (ctypes.c_int, [options, text, out, size]),
        "tintrel_count": (ctypes.c_int, [options, text, size, size]),
        "tintrel_fit": (ctypes.c_int, [options, text, out, size]),
        "tintrel_check_contrast": (ctypes.c_int, [options, text, out, size]),
        "tintrel_last_error": (ctypes.c_char_p, [options]),
        "tintrel_free": (None, [ctypes.c_void_p]),
    }
    for name, (restype, argtypes) in signatures.items():
        function = getattr(lib, name)
        function.restype, function.argtypes = restype, argtypes
    return lib


_lib = _load()


def _utf8(value, what):
    # Lone surrogates pass as the bytes they would be, for the library to refuse as not UTF-8.
    data = value.encode("utf-8", "surrogatepass")
    if b"\0" in data:
        raise TintrelError(BAD_INPUT, what + " holds a zero character")
    return data


class _Options:
    """One options object of the library, freed when the call is done."""

    def __init__(self, options):
        self.handle = _lib.tintrel_options_new()
        if not self.handle:
            raise MemoryError("tintrel: out of memory")
        try:
            for name, value in options.items():
                if value is None or value is False:
                    continue
                given = None if value is True else _utf8(str(value), "the value of " + name)
                self.check(_lib.tintrel_set(self.handle, _utf8(name.replace("_", "-"), "a name"), given))
        except BaseException:
            self.close()
            raise

    def check(self, status, passing=(OK,)):
        if status not in passing:
            raise TintrelError(status, _lib.tintrel_last_error(self.handle).decode("utf-8", "replace"))
        return status

    def output(self, call, text, passing=(OK,)):
        buffer, length = ctypes.c_void_p(), ctypes.c_size_t()
        status = self.check(call(self.handle, _utf8(text, "the text"), ctypes.byref(buffer), ctypes.byref(length)),
                            passing)
        try:
            return status, ctypes.string_at(buffer, length.value)
        finally:
            _lib.tintrel_free(buffer)

    def close(self):
        _lib.tintrel_options_free(self.handle)
        self.handle = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def version():
    """The library's version, such as "1.31"."""
    return _lib.tintrel_version().decode("ascii")


def write(text, format=None, **options):
    """The bytes tintrel-html writes for `text` in the kind `format` (CP932 for the font kind
    unless ``utf8=True``, UTF-8 for every other kind)."""
    with _Options(options) as o:
        encoded = None if format is None else _utf8(format, "the format")
        return o.output(lambda h, t, b, n: _lib.tintrel_write(h, t, encoded, b, n), text)[1]


def decode(text, **options):
    """The plain text of gradient text of any kind, then each character's colour, as
    tintrel-html --decode writes them; TintrelError with NOTHING_FOUND when there is none."""
    with _Options(options) as o:
        return o.output(_lib.tintrel_decode, text)[1].decode("utf-8")


def count(text, **options):
    """The output's length and its budget (0: none), as tintrel-html --count measures them."""
    with _Options(options) as o:
        length, budget = ctypes.c_size_t(), ctypes.c_size_t()
        o.check(_lib.tintrel_count(o.handle, _utf8(text, "the text"), ctypes.byref(length), ctypes.byref(budget)))
        return length.value, budget.value


def fit(text, **options):
    """The output shortened to fit its budget; TintrelError with DOES_NOT_FIT when nothing fits."""
    with _Options(options) as o:
        return o.output(_lib.tintrel_fit, text)[1]


def check_contrast(text, **options):
    """Whether every character passes its contrast with the background, and the report of those
    that fall short (one line each)."""
    with _Options(options) as o:
        status, report = o.output(_lib.tintrel_check_contrast, text, (OK, CONTRAST_SHORT))
        return status == OK, report.decode("utf-8")


def _rrggbb(colour):
    """A colour as --stops takes it: RRGGBB, from #RRGGBB or RGB too."""
    colour = colour.lstrip("#")
    return "".join(c + c for c in colour) if len(colour) == 3 else colour


def gradient(text, colours, **options):
    """`text` coloured from the first of `colours` ("#RRGGBB", "RRGGBB" or "RGB") to the last,
    as a string for a terminal with 24-bit colour (``format="ansi256"`` for fewer colours)."""
    colours = list(colours)
    if len(colours) == 2:
        options.update(start=colours[0], finish=colours[1])
    else:
        options.update(stops=",".join(_rrggbb(colour) for colour in colours))
    options.setdefault("format", "ansi")
    return write(text, **options).decode("utf-8")
