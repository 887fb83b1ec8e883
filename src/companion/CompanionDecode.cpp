#include "companion/CompanionDecode.h"

#include "companion/HtmlCompanion.h"

#include "companion/CompanionIo.h"
#include "companion/CompanionOptions.h"
#include "companion/CompanionRefusal.h"
#include "companion/CompanionTexts.h"
#include "engine/OutputKind.h"
#include "engine/TargetReader.h"
#include "engine/TextJoin.h"
#include "store/FileOps.h"
#include "store/IniGT.h"
#include "store/SafeFile.h"
#include "store/StyleRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace {

// A decoded character as it may stand on a terminal: control characters as their pictures.
void AppendUtf8Picture(std::string& out, unsigned code) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
}

std::string Printable(std::string_view utf8) {
    std::string printable;
    for (std::size_t k = 0; k < utf8.size(); ++k) {
        const auto byte = static_cast<unsigned char>(utf8[k]);
        if (byte < 0x20 || byte == 0x7F) {
            AppendUtf8Picture(printable, byte == 0x7F ? 0x2421 : 0x2400 + byte);
        } else if (byte == 0xC2 && k + 1 < utf8.size() && static_cast<unsigned char>(utf8[k + 1]) < 0xA0) {
            printable += "\xEF\xBF\xBD"; // a C1 control
            ++k;
        } else {
            printable += static_cast<char>(byte);
        }
    }
    return printable;
}

// Writes the style of the colours read to the file --to-style names; the message when it
// cannot.
std::optional<std::string> SaveDecodedStyle(const std::string& path, const TReadText& read) {
    const TGradient gradient = GradientOfColours(read.Units);
    TStyleRecord style;
    style.StartColor = JoinColor(gradient.Start);
    style.FinishColor = JoinColor(gradient.Finish);
    style.MiddleColor = JoinColor(gradient.Middle);
    style.Mirror = gradient.Mode == gmMirror;
    style.Trico = gradient.Mode == gmThreeColor;
    style.DrawFont.Style = read.Style;
    try {
        // A file of this style alone.
        SaveFileSafely(path, {}, *DefaultFileOps());
        TIniGT store;
        store.SetDefaultDir(ddNone);
        store.SetFileName(path);
        SaveStyleRecord(store, "Decoded", style);
    } catch (const EIniError& e) {
        return Refusal("cannot write --to-style '", path, "': ", e.what()).message + "\n";
    }
    return std::nullopt;
}

// The plain text, then each character's colour, handed on in pieces of a bounded size: a long
// text's lines are never held together.
void WriteDecoded(const TReadText& read, TOutputSink& out) {
    constexpr std::size_t kPiece = std::size_t{64} << 10;
    std::string piece = Printable(read.Text()) + "\n";
    for (const TReadUnit& unit : read.Units) {
        if (piece.size() >= kPiece) {
            out.Write(piece);
            piece.clear();
        }
        char hex[6];
        WriteColorHex(unit.Color, hex);
        piece.append("#").append(hex, 6).append("\t").append(Printable(read.UnitUtf8(unit))).append("\n");
    }
    out.Write(piece);
}

} // namespace

// --decode: the plain text, then each character's colour; --to-style writes the style first, so
// that nothing is written when it cannot be.
int Decode(const TCompanionOptions& o, TCompanionIo& io) {
    std::optional<TReadText> read;
    TReadRefusal why{};
    {
        const std::string input = !o.text || *o.text == "-" ? ReadStandardInput(io.In, o.inputLimit)
                                                            : ReadTextFile("--decode", *o.text, o.inputLimit);
        read = ReadGradientText(input, why);
    }
    if (!read) {
        const std::string source =
            o.text && *o.text != "-" ? Join("'", *o.text, "'") : std::string("standard input");
        io.Err.Write((why == TReadRefusal::NestedTooDeeply
                          ? Refusal("the text components in ", source, " nest more than ",
                                    std::to_string(kMostReadNesting), " deep: not read")
                          : Refusal("no gradient text that Tintrel can read in ", source))
                         .message +
                     "\n");
        return 1;
    }
    if (o.toStyle) {
        if (const std::optional<std::string> refused = SaveDecodedStyle(*o.toStyle, *read)) {
            io.Err.Write(*refused);
            return 2;
        }
    }
    io.Err.Write(Refusal("read as ", OutputKindName(read->Kind)).message + "\n");
    WriteDecoded(*read, io.Out);
    return 0;
}
