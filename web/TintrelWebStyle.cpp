// The page's style files: written and read by the program's own style library, in the module's
// memory file system, so a .tsy from the page is the program's byte for byte.
#include "engine/CodePage.h"
#include "engine/ColorSpace.h"
#include "engine/ColorStops.h"
#include "engine/FontStyle.h"
#include "store/FileOps.h"
#include "store/StyleLibrary.h"
#include "store/StyleRecord.h"

#include <emscripten.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr const char* kLibrary = "/tmp/tintrel-style-library.ini";
constexpr const char* kStyleFile = "/tmp/tintrel-style.tsy";

std::string gStyle;
std::string gStyleError;

struct TLibrary {
    TIniGT store;
    TStyleLibrary library{store};

    TLibrary() {
        std::remove(kLibrary);
        store.SetDefaultDir(ddNone);
        store.SetFileName(kLibrary);
        library.ReadList();
    }
};

std::string Hex(TColor color) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", static_cast<unsigned>(color & 0xFF),
                  static_cast<unsigned>((color >> 8) & 0xFF), static_cast<unsigned>((color >> 16) & 0xFF));
    return text;
}

} // namespace

extern "C" {

// Writes the style file of a style named `name` (UTF-8) into tintrel_style (its bytes) and
// returns 0, or returns 1 with the reason in tintrel_style_error. Colours are 0x00BBGGRR, `styles`
// the font style bits, `mode` 0 two colours, 1 mirrored, 2 three colours; `face` (UTF-8) empty
// keeps the program's first face. The colour space is named as --space names it, the stops
// written as --stops takes them (empty: none; start and finish are then the first and last
// stop, as the program writes them), and `phase` is the rainbow's first hue in degrees.
EMSCRIPTEN_KEEPALIVE int tintrel_style_write(const char* name, const char* face, int styles, int sizeIndex,
                                             int head, unsigned start, unsigned finish, unsigned middle,
                                             unsigned background, int mode, const char* space,
                                             const char* stops, int rainbow, double phase) {
    gStyle.clear();
    gStyleError.clear();
    try {
        TStyleRecord style;
        if (*face != '\0') {
            const TCp932Conversion faceName = Utf8ToCp932(face);
            style.DrawFont.Name = faceName.Complete() ? faceName.Bytes : style.DrawFont.Name;
        }
        style.DrawFont.Style =
            static_cast<std::uint8_t>(styles & (fsBold | fsItalic | fsUnderline | fsStrikeOut));
        style.SizeIndex = sizeIndex;
        style.Head = head != 0;
        style.StartColor = start;
        style.FinishColor = finish;
        style.MiddleColor = middle;
        style.BGColor = background;
        style.Mirror = mode == 1;
        style.Trico = mode == 2;
        style.Space = ColorSpaceFromName(space).value_or(csSrgb);
        if (*stops != '\0') {
            std::optional<std::vector<TColorStop>> read = ColorStopsFromText(stops);
            if (!read) {
                gStyleError = std::string("not a list of stops: ") + stops;
                return 1;
            }
            style.Stops = std::move(*read);
            style.StartColor = style.Stops.front().Color;
            style.FinishColor = style.Stops.back().Color;
        }
        style.Rainbow = rainbow != 0;
        style.Phase = static_cast<int>(std::fmod(phase, 360.0));
        const TCp932Conversion styleName = Utf8ToCp932(name);
        TLibrary library;
        const std::size_t index = library.library.Add(styleName.Bytes, style);
        library.library.Export(index, kStyleFile, *DefaultFileOps());
        std::ifstream file(kStyleFile, std::ios::binary);
        gStyle.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        return 0;
    } catch (const std::exception& e) {
        gStyleError = e.what();
        return 1;
    }
}

// Reads the style file the page put at /tmp/tintrel-style.tsy as the program imports one, and
// leaves in tintrel_style one line: name, face (UTF-8), style bits, size index, head (0 or 1),
// start, finish, middle and background colour (RRGGBB), mode (0, 1 or 2), colour space (its
// --space name), stops (as --stops takes them), rainbow (0 or 1) and its first hue, separated
// by tabs.
// Returns 0, or 1 with the reason in tintrel_style_error.
EMSCRIPTEN_KEEPALIVE int tintrel_style_read() {
    gStyle.clear();
    gStyleError.clear();
    try {
        TLibrary library;
        const std::optional<std::size_t> index = library.library.Import(kStyleFile);
        if (!index) {
            gStyleError = "no style";
            return 1;
        }
        TStyleRecord style;
        library.library.Load(*index, style);
        const std::string face =
            style.DrawFont.Name == kDefaultFaceName ? "" : Cp932ToUtf8(style.DrawFont.Name);
        gStyle = Cp932ToUtf8(library.library.Names().at(*index)) + "\t" + face + "\t" +
                 std::to_string(style.DrawFont.Style) + "\t" + std::to_string(style.SizeIndex) + "\t" +
                 (style.Head ? "1" : "0") + "\t" + Hex(style.StartColor) + "\t" + Hex(style.FinishColor) +
                 "\t" + Hex(style.MiddleColor) + "\t" + Hex(style.BGColor) + "\t" +
                 (style.Trico    ? "2"
                  : style.Mirror ? "1"
                                 : "0") +
                 "\t" + std::string(ColorSpaceName(style.Space)) + "\t" + ColorStopsText(style.Stops) + "\t" +
                 (style.Rainbow ? "1" : "0") + "\t" + std::to_string(style.Phase);
        return 0;
    } catch (const std::exception& e) {
        gStyleError = e.what();
        return 1;
    }
}

EMSCRIPTEN_KEEPALIVE const char* tintrel_style() {
    return gStyle.data();
}
EMSCRIPTEN_KEEPALIVE int tintrel_style_size() {
    return static_cast<int>(gStyle.size());
}
EMSCRIPTEN_KEEPALIVE const char* tintrel_style_error() {
    return gStyleError.c_str();
}

} // extern "C"
